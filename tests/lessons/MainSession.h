#pragma once

#include "TestProgram.h"
#include "lessons/frmMain.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

// A signed-in user "anna" in a temporary program directory, and the main screen loaded for him.
struct MainSession
{
    testing::TestProgram program;
    frmMain* main = nullptr;

    MainSession() { program.writePlain(QStringLiteral("tmpUsr"), {QStringLiteral("anna")}); }

    // Lines of a scrambled file of the user directory, written or read plain.
    void put(const QString& name, const QStringList& lines) const { program.writeScrambled(QStringLiteral("anna/") + name, lines); }
    [[nodiscard]] QStringList lines(const QString& name) const { return program.readScrambled(QStringLiteral("anna/") + name); }
    [[nodiscard]] QByteArray bytes(const QString& name) const { return program.bytes(QStringLiteral("anna/") + name); }
    [[nodiscard]] QStringList entries(const QString& name = {}) const { return program.entries(QStringLiteral("anna/") + name); }

    bool load()
    {
        program.screens().showMain();
        main = testing::TestProgram::shown<frmMain>();
        return main != nullptr;
    }

    // A command that asks for a name; answer is typed into its input box.
    void type(QAction* command, const QString& answer)
    {
        program.input.queue(answer);
        command->trigger();
    }
    void confirm(QAction* command, ui::Answer answer = ui::Answer::Yes)
    {
        program.messages.queue(answer);
        command->trigger();
    }

    static QStringList items(const QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }
    static QString chosen(const QListWidget* list)
    {
        return list->currentItem() ? list->currentItem()->text() : QString();
    }
    static void choose(QListWidget* list, const QString& text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(text));
        list->setCurrentItem(found.first());
    }
};
