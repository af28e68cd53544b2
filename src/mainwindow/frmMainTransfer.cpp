// The main screen's commands for word lists in and out: import, export and the printed list.
#include "mainwindow/frmMain.h"

#include "exchange/LessonExport.h"
#include "exchange/frmImport.h"
#include "lesson/WordListPrint.h"
#include "library/LessonTransfer.h"
#include "mainwindow/WordListDocument.h"
#include "store/TextRules.h"

#include <QProgressDialog>

namespace mainwindow {

namespace {

const QString Title = QStringLiteral("Paukomat V1.1");

} // namespace

void frmMain::mnuLektionImport_Click()
{
    const QString language = chosenLanguage();
    if (!Ist_AuswahlVorhanden(Needed::Language) || !report(m_library.checkLanguageKey(language)))
        return;
    const QString path = services().files.openFile(this, QStringLiteral("Lektion importieren"),
                                                   exchange::ImportFilters);
    if (path.isEmpty())
        return;
    // A big file takes a moment to read; the window shows how far it is and can stop it.
    QProgressDialog progress(QStringLiteral("Die Datei wird gelesen …"),
                             QStringLiteral("Abbrechen"), 0, 1000, this);
    progress.setObjectName(QStringLiteral("prgImport"));
    progress.setWindowTitle(Title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(200);
    const exchange::ImportSource source = exchange::readImportFile(path, [&progress](int permille) {
        progress.setValue(permille);
        return !progress.wasCanceled();
    });
    progress.setValue(progress.maximum());
    if (!report(source.outcome, ui::Icon::Exclamation))
        return;
    exchange::frmImport dialog(
        source, language, services(),
        [this, &language](const QString& name) {
            return library::importNameProblem(m_library, language, name);
        },
        this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.lessonName();
    if (!report(library::importLesson(m_library, language, name, dialog.plan().pairs).outcome))
        return;
    message(library::importedMessage(name, dialog.plan()), Title);
    Fuelle_Lektionen();
}

std::optional<QList<lesson::WordPair>> frmMain::chosenLessonPairs()
{
    if (!Ist_AuswahlVorhanden(Needed::Lesson))
        return std::nullopt;
    auto stored = library::lessonPairs(m_library, chosenLanguage(), chosenLesson());
    if (!report(stored.outcome))
        return std::nullopt;
    return std::move(stored.value);
}

void frmMain::mnuLektionExport_Click()
{
    const auto stored = chosenLessonPairs();
    if (!stored)
        return;
    const QString language = chosenLanguage();
    const QString lesson = chosenLesson();
    QString filter;
    const QString chosen = services().files.saveFile(this, QStringLiteral("Lektion exportieren"),
                                                     lesson + QStringLiteral(".tsv"),
                                                     exchange::ExportFilters, &filter);
    if (chosen.isEmpty())
        return;
    const exchange::ExportTarget target = exchange::exportTarget(chosen, filter);
    const QList<exchange::Pair> pairs =
        exchange::pairsOf(*stored, library::lessonBoxes(m_library, language, lesson));
    if (report(exchange::exportLesson(target, pairs, language, lesson)))
        message(exchange::exportedMessage(lesson, target, pairs.size()), Title);
}

void frmMain::mnuVokabellisteDrucken_Click()
{
    const auto stored = chosenLessonPairs();
    if (!stored)
        return;
    // A cancelled or failed printout has been dealt with by the printer.
    services().printer.printDocument(
        this,
        mainwindow::wordListDocument(lesson::wordList(chosenLanguage(), chosenLesson(), *stored)));
}

} // namespace mainwindow
