#include "mainwindow/frmMain.h"

#include "mainwindow/MainIcons.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace mainwindow {

namespace {

const QString Title = QStringLiteral("Paukomat V1.1");
const QString GoToolTip = QStringLiteral("Startet die gewählte Lektion in der gewählten Sprache");

QPushButton* pictureButton(QWidget* parent, const QString& name, const QIcon& icon,
                           const QString& toolTip)
{
    QPushButton* button = ui::ScreenBase::createButton(parent, name, {}, toolTip);
    button->setIcon(icon);
    button->setIconSize(QSize(36, 36));
    button->setFixedSize(56, 48);
    button->setAccessibleName(toolTip);
    return button;
}

// List rows a little taller than the font, so that umlauts on capitals keep clear of the
// highlight's edge.
class RoomyRows final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 4);
    }
};

QAction* menuEntry(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QListWidget* listIn(QGroupBox* frame, const QString& name)
{
    auto* list = new QListWidget(frame);
    list->setObjectName(name);
    list->setItemDelegate(new RoomyRows(list));
    (new QVBoxLayout(frame))->addWidget(list);
    return list;
}

} // namespace

frmMain::frmMain(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
    , m_library(context.tree)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Title);
    resize(540, 400);
    buildMenus();
    buildLists();
    buildButtons();
    arrange();
    connectSignals();
}

void frmMain::buildMenus()
{
    mnuBar = new QMenuBar(this);
    mnuBar->setObjectName(QStringLiteral("mnuBar"));
    mnuSprache = mnuBar->addMenu(QStringLiteral("&Sprache"));
    mnuSprache->setObjectName(QStringLiteral("mnuSprache"));
    mnuNeueSprache =
        menuEntry(mnuSprache, QStringLiteral("mnuNeueSprache"), QStringLiteral("&neue Sprache"));
    mnuTitleSprache = menuEntry(mnuSprache, QStringLiteral("mnuTitleSprache"),
                                QStringLiteral("Sprache &umbenennen"));
    mnuSpracheDelete = menuEntry(mnuSprache, QStringLiteral("mnuSpracheDelete"),
                                 QStringLiteral("Sprache l&öschen"));
    mnuLektionen = mnuBar->addMenu(QStringLiteral("&Lektionen"));
    mnuLektionen->setObjectName(QStringLiteral("mnuLektionen"));
    mnuNeueLektion =
        menuEntry(mnuLektionen, QStringLiteral("mnuNeueLektion"), QStringLiteral("&neue Lektion"));
    mnuLektionEdit = menuEntry(mnuLektionen, QStringLiteral("mnuLektionEdit"),
                               QStringLiteral("Lektion &bearbeiten"));
    mnuTitleLektion = menuEntry(mnuLektionen, QStringLiteral("mnuTitleLektion"),
                                QStringLiteral("Lektion &umbenennen"));
    mnuLektionDelete = menuEntry(mnuLektionen, QStringLiteral("mnuLektionDelete"),
                                 QStringLiteral("Lektion l&öschen"));
    // Word lists in and out, beside the described commands.
    mnuLektionen->addSeparator();
    mnuLektionImport = menuEntry(mnuLektionen, QStringLiteral("mnuLektionImport"),
                                 QStringLiteral("Lektion &importieren..."));
    mnuLektionExport = menuEntry(mnuLektionen, QStringLiteral("mnuLektionExport"),
                                 QStringLiteral("Lektion &exportieren..."));
    mnuVokabellisteDrucken = menuEntry(mnuLektionen, QStringLiteral("mnuVokabellisteDrucken"),
                                       QStringLiteral("&Vokabelliste drucken..."));
}

void frmMain::buildLists()
{
    fmeSprachen = new QGroupBox(QStringLiteral("Sprachen"), this);
    fmeSprachen->setObjectName(QStringLiteral("fmeSprachen"));
    lstSprachen = listIn(fmeSprachen, QStringLiteral("lstSprachen"));
    fmeLektionen = new QGroupBox(QStringLiteral("Lektionen"), this);
    fmeLektionen->setObjectName(QStringLiteral("fmeLektionen"));
    lstLektionen = listIn(fmeLektionen, QStringLiteral("lstLektionen"));
}

void frmMain::buildButtons()
{
    btnEnd = pictureButton(this, QStringLiteral("btnEnd"), mainwindow::icons::end(),
                           QStringLiteral("Paukomat V1.1 beenden"));
    cmdHelp = createHelpButton();
    cmdHelp->setMinimumSize(96, 30);
    BtnGo = pictureButton(this, QStringLiteral("BtnGo"), mainwindow::icons::go(), GoToolTip);
}

void frmMain::arrange()
{
    auto* lists = new QHBoxLayout;
    lists->addWidget(fmeSprachen);
    lists->addWidget(fmeLektionen);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnEnd);
    buttons->addStretch();
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    buttons->addWidget(BtnGo);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(mnuBar);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    setTabOrder(lstSprachen, lstLektionen);
    setTabOrder(lstLektionen, btnEnd);
    setTabOrder(btnEnd, cmdHelp);
    setTabOrder(cmdHelp, BtnGo);
    lstSprachen->setFocus();
}

void frmMain::connectSignals()
{
    connect(lstSprachen, &QListWidget::currentRowChanged, this, &frmMain::lstSprachen_Click);
    connect(lstLektionen, &QListWidget::currentRowChanged, this, &frmMain::lstLektionen_Click);
    connect(BtnGo, &QPushButton::clicked, this, &frmMain::BtnGo_Click);
    connect(btnEnd, &QPushButton::clicked, this, &frmMain::btnEnd_Click);
    connect(mnuNeueSprache, &QAction::triggered, this, &frmMain::mnuNeueSprache_Click);
    connect(mnuTitleSprache, &QAction::triggered, this, &frmMain::mnuTitleSprache_Click);
    connect(mnuSpracheDelete, &QAction::triggered, this, &frmMain::mnuSpracheDelete_Click);
    connect(mnuNeueLektion, &QAction::triggered, this, &frmMain::mnuNeueLektion_Click);
    connect(mnuLektionEdit, &QAction::triggered, this, &frmMain::mnuLektionEdit_Click);
    connect(mnuTitleLektion, &QAction::triggered, this, &frmMain::mnuTitleLektion_Click);
    connect(mnuLektionDelete, &QAction::triggered, this, &frmMain::mnuLektionDelete_Click);
    connect(mnuLektionImport, &QAction::triggered, this, &frmMain::mnuLektionImport_Click);
    connect(mnuLektionExport, &QAction::triggered, this, &frmMain::mnuLektionExport_Click);
    connect(mnuVokabellisteDrucken, &QAction::triggered, this,
            &frmMain::mnuVokabellisteDrucken_Click);
}

bool frmMain::Form_Load()
{
    if (!report(m_library.open()))
        return false;
    Fuelle_Sprachen();
    return true;
}

QString frmMain::chosenLanguage() const
{
    const QListWidgetItem* item = lstSprachen->currentItem();
    return item ? item->text() : QString();
}

QString frmMain::chosenLesson() const
{
    const QListWidgetItem* item = lstLektionen->currentItem();
    return item ? item->text() : QString();
}

QString frmMain::ask(const QString& prompt)
{
    return services().input.ask(this, prompt, Title);
}

bool frmMain::confirm(const QString& question)
{
    return message(question, Title, ui::Buttons::YesNo) == ui::Answer::Yes;
}

bool frmMain::Check_Zeichen(const QString& name)
{
    const QString text = library::forbiddenCharacterMessage(name);
    if (!text.isEmpty())
        message(text, Title);
    return text.isEmpty();
}

void frmMain::setGoToolTip()
{
    BtnGo->setToolTip(QStringLiteral("Startet Lektion \"") + chosenLesson()
                      + QStringLiteral("\" der Sprache ") + chosenLanguage());
}

void frmMain::Fuelle_Sprachen()
{
    {
        // Emptying the list chooses nothing; only the choice of the first entry below counts.
        const QSignalBlocker quiet(lstSprachen);
        lstSprachen->clear();
    }
    report(m_library.listLanguages());
    lstSprachen->addItems(m_library.languages());
    if (lstSprachen->count() > 0) {
        lstSprachen->setCurrentRow(0);
    } else {
        const QSignalBlocker quiet(lstLektionen);
        lstLektionen->clear();
        // No language left: the button names none.
        BtnGo->setToolTip(GoToolTip);
    }
}

void frmMain::Fuelle_Lektionen()
{
    {
        const QSignalBlocker quiet(lstLektionen);
        lstLektionen->clear();
    }
    m_library.listLessons(chosenLanguage());
    lstLektionen->addItems(m_library.lessons());
    if (lstLektionen->count() > 0)
        lstLektionen->setCurrentRow(0);
    setGoToolTip();
}

void frmMain::lstSprachen_Click()
{
    if (lstSprachen->currentRow() < 0)
        return;
    Fuelle_Lektionen();
    setGoToolTip();
}

void frmMain::lstLektionen_Click()
{
    setGoToolTip();
}

bool frmMain::Ist_AuswahlVorhanden(Needed needed)
{
    return report(needed == Needed::Language ? m_library.needLanguage() : m_library.needLesson());
}

void frmMain::BtnGo_Click()
{
    Oeffne_Lektion(LessonUse::Learn);
}

void frmMain::mnuLektionEdit_Click()
{
    Oeffne_Lektion(LessonUse::Edit);
}

void frmMain::Oeffne_Lektion(LessonUse use)
{
    if (!Ist_AuswahlVorhanden(Needed::Lesson)
        || !report(m_library.handOver(chosenLanguage(), chosenLesson())))
        return;
    // Disabled at once; the next screen hides this one when it can be seen itself.
    setEnabled(false);
    if (use == LessonUse::Edit)
        screens().showEditor();
    else
        screens().showExercise();
}

void frmMain::btnEnd_Click()
{
    confirmEnd();
}

bool frmMain::Form_QueryUnload()
{
    return confirmEnd();
}

bool frmMain::confirmEnd()
{
    if (!confirm(QStringLiteral("Wollen Sie wirklich beenden ?")))
        return false;
    m_library.removeHandOffFiles();
    services().end.endNow();
    return true;
}

void frmMain::mnuNeueSprache_Click()
{
    const QString name = ask(QStringLiteral("Geben Sie die Sprache ein..."));
    if (name.isEmpty() || !Check_Zeichen(name))
        return;
    if (report(m_library.createLanguage(name).outcome))
        Fuelle_Sprachen();
}

void frmMain::mnuTitleSprache_Click()
{
    const QString oldName = chosenLanguage();
    if (!Ist_AuswahlVorhanden(Needed::Language) || !report(m_library.checkStoredName(oldName)))
        return;
    const QString newName = ask(QStringLiteral("Geben Sie die neue Bezeichnung der Sprache ")
                                + oldName + QStringLiteral(" ein:"));
    if (newName.isEmpty() || !Check_Zeichen(newName))
        return;
    if (report(m_library.renameLanguage(oldName, newName)))
        Fuelle_Sprachen();
}

void frmMain::mnuSpracheDelete_Click()
{
    if (!Ist_AuswahlVorhanden(Needed::Language))
        return;
    const QString name = chosenLanguage();
    const store::Result<library::Removal> removal = m_library.prepareLanguageRemoval(name);
    if (!report(removal.outcome)
        || !confirm(QStringLiteral("Soll die Sprache ") + name
                    + QStringLiteral(" wirklich gelöscht werden ?")))
        return;
    if (report(m_library.removeLanguage(removal.value)))
        Fuelle_Sprachen();
}

void frmMain::mnuNeueLektion_Click()
{
    const QString language = chosenLanguage();
    if (!Ist_AuswahlVorhanden(Needed::Language) || !report(m_library.checkLanguageKey(language)))
        return;
    const QString name = ask(QStringLiteral("Geben Sie den Namen der Lektion ein..."));
    if (name.isEmpty() || !Check_Zeichen(name))
        return;
    if (report(m_library.createLesson(language, name).outcome))
        Fuelle_Lektionen();
}

void frmMain::mnuTitleLektion_Click()
{
    if (!Ist_AuswahlVorhanden(Needed::Lesson))
        return;
    const QString oldName = chosenLesson();
    const QString newName = ask(QStringLiteral("Geben Sie die neue Bezeichnung der Lektion ")
                                + oldName + QStringLiteral(" ein:"));
    if (newName.isEmpty() || !Check_Zeichen(newName))
        return;
    if (report(m_library.renameLesson(chosenLanguage(), oldName, newName)))
        Fuelle_Sprachen();
}

void frmMain::mnuLektionDelete_Click()
{
    if (!Ist_AuswahlVorhanden(Needed::Lesson))
        return;
    const QString lesson = chosenLesson();
    const store::Result<library::Removal> removal =
        m_library.prepareLessonRemoval(chosenLanguage(), lesson);
    if (!report(removal.outcome)
        || !confirm(QStringLiteral("Soll die Lektion ") + lesson
                    + QStringLiteral(" wirklich gelöscht werden ?")))
        return;
    if (report(m_library.removeLesson(removal.value)))
        Fuelle_Sprachen();
}

} // namespace mainwindow
