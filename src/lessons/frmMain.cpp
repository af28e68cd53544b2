#include "lessons/frmMain.h"

#include "handoff/HandOff.h"
#include "store/DataTree.h"
#include "store/KeyLine.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString Title = QStringLiteral("Paukomat V1.1");
const QString GoToolTip = QStringLiteral("Startet die gewählte Lektion in der gewählten Sprache");

// A round, shaded button face in the given colour; the symbol is drawn on top of it.
QPixmap roundFace(const QColor& colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(size * 0.35, size * 0.3, size * 0.75);
    shade.setColorAt(0, colour.lighter(150));
    shade.setColorAt(1, colour.darker(120));
    p.setBrush(shade);
    p.setPen(QPen(colour.darker(170), size / 32.0));
    p.drawEllipse(QRectF(size * 0.04, size * 0.04, size * 0.92, size * 0.92));
    return pixmap;
}

// Green face with a white arrow pointing ahead: start the lesson.
QIcon goIcon()
{
    const int s = 64;
    QPixmap pixmap = roundFace(QColor(40, 160, 60), s);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(s * 0.38, s * 0.26);
    arrow.lineTo(s * 0.74, s * 0.5);
    arrow.lineTo(s * 0.38, s * 0.74);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(20, 90, 30), s / 40.0));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return QIcon(pixmap);
}

// Red face with the white power sign: end the program.
QIcon endIcon()
{
    const int s = 64;
    QPixmap pixmap = roundFace(QColor(200, 45, 40), s);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, s * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(s * 0.29, s * 0.3, s * 0.42, s * 0.42);
    p.drawArc(ring, 120 * 16, 300 * 16);
    p.drawLine(QPointF(s * 0.5, s * 0.2), QPointF(s * 0.5, s * 0.48));
    return QIcon(pixmap);
}

// A blue card with a "P": the window's icon.
QIcon programIcon()
{
    const int s = 64;
    QPixmap pixmap(s, s);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(50, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, s - 4, s - 4), 10, 10);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(44);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, s, s), Qt::AlignCenter, QStringLiteral("P"));
    return QIcon(pixmap);
}

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

} // namespace

frmMain::frmMain(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Title);
    setWindowIcon(programIcon());
    resize(540, 400);

    mnuBar = new QMenuBar(this);
    mnuBar->setObjectName(QStringLiteral("mnuBar"));
    mnuSprache = mnuBar->addMenu(QStringLiteral("&Sprache"));
    mnuSprache->setObjectName(QStringLiteral("mnuSprache"));
    mnuNeueSprache = mnuSprache->addAction(QStringLiteral("&neue Sprache"));
    mnuTitleSprache = mnuSprache->addAction(QStringLiteral("Sprache &umbenennen"));
    mnuSpracheDelete = mnuSprache->addAction(QStringLiteral("Sprache l&öschen"));
    mnuLektionen = mnuBar->addMenu(QStringLiteral("&Lektionen"));
    mnuLektionen->setObjectName(QStringLiteral("mnuLektionen"));
    mnuNeueLektion = mnuLektionen->addAction(QStringLiteral("&neue Lektion"));
    mnuLektionEdit = mnuLektionen->addAction(QStringLiteral("Lektion &bearbeiten"));
    mnuTitleLektion = mnuLektionen->addAction(QStringLiteral("Lektion &umbenennen"));
    mnuLektionDelete = mnuLektionen->addAction(QStringLiteral("Lektion l&öschen"));
    mnuNeueSprache->setObjectName(QStringLiteral("mnuNeueSprache"));
    mnuTitleSprache->setObjectName(QStringLiteral("mnuTitleSprache"));
    mnuSpracheDelete->setObjectName(QStringLiteral("mnuSpracheDelete"));
    mnuNeueLektion->setObjectName(QStringLiteral("mnuNeueLektion"));
    mnuLektionEdit->setObjectName(QStringLiteral("mnuLektionEdit"));
    mnuTitleLektion->setObjectName(QStringLiteral("mnuTitleLektion"));
    mnuLektionDelete->setObjectName(QStringLiteral("mnuLektionDelete"));

    fmeSprachen = new QGroupBox(QStringLiteral("Sprachen"), this);
    fmeSprachen->setObjectName(QStringLiteral("fmeSprachen"));
    lstSprachen = new QListWidget(fmeSprachen);
    lstSprachen->setObjectName(QStringLiteral("lstSprachen"));
    lstSprachen->setItemDelegate(new RoomyRows(lstSprachen));
    (new QVBoxLayout(fmeSprachen))->addWidget(lstSprachen);

    fmeLektionen = new QGroupBox(QStringLiteral("Lektionen"), this);
    fmeLektionen->setObjectName(QStringLiteral("fmeLektionen"));
    lstLektionen = new QListWidget(fmeLektionen);
    lstLektionen->setObjectName(QStringLiteral("lstLektionen"));
    lstLektionen->setItemDelegate(new RoomyRows(lstLektionen));
    (new QVBoxLayout(fmeLektionen))->addWidget(lstLektionen);

    btnEnd = pictureButton(this, QStringLiteral("btnEnd"), endIcon(),
                           QStringLiteral("Paukomat V1.1 beenden"));
    cmdHelp = createHelpButton();
    cmdHelp->setMinimumSize(96, 30);
    BtnGo = pictureButton(this, QStringLiteral("BtnGo"), goIcon(), GoToolTip);

    // Holds the language key of the chosen language for the lesson commands; never shown.
    txtLektDatei = new QLineEdit(QStringLiteral("Text1"), this);
    txtLektDatei->setObjectName(QStringLiteral("txtLektDatei"));
    txtLektDatei->setVisible(false);

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
}

bool frmMain::Form_Load()
{
    MaxLektion = 0;
    MaxSprache = 0;
    Unerlaubt = lessons::Unerlaubt;
    Pfad = tree().programPath();
    const handoff::Read<QString> user = handoff::readSignedInUser(tree());
    if (user.problem == handoff::Problem::Missing) {
        say(QStringLiteral("Es ist kein Benutzer angemeldet. Bitte melden Sie sich an !"));
        return false;
    }
    if (refuseUnsafe(user.ok() ? user.value : user.unsafeName))
        return false;
    Nutzer = user.value;
    Pfad = tree().userPath(Nutzer);
    // Made with the user; made again when it went missing, so the lists can be stored.
    QDir().mkpath(Pfad);
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

void frmMain::say(const QString& text)
{
    message(text, Title);
}

bool frmMain::refuseUnsafe(const QString& name)
{
    if (store::isSafePathName(name))
        return false;
    say(store::unsafeNameMessage(name));
    return true;
}

bool frmMain::refuseUnusableKey(const QString& language, const QString& key)
{
    return !lessons::isLanguageKey(key)
        && refuseDamagedKey(QStringLiteral("Die Sprachliste enthält für die Sprache"), language);
}

bool frmMain::refuseUnusableLessonKey(const QString& lesson, const QString& key)
{
    return !lessons::isLessonKey(key)
        && refuseDamagedKey(QStringLiteral("Die Lektionsliste enthält für die Lektion"), lesson);
}

bool frmMain::refuseDamagedKey(const QString& where, const QString& name)
{
    say(where + QStringLiteral(" \"%1\" keinen gültigen Schlüssel. Die Datei wurde außerhalb von "
                               "Paukomat verändert; Paukomat greift nicht darauf zu.")
                    .arg(name));
    return true;
}

bool frmMain::readForRewrite(lessons::ListLines& lines)
{
    store::FileResult read;
    lines = lessons::readList(Datei, &read);
    return reportWriteFailure(read.about(listSubject()));
}

store::FileResult frmMain::saveList(const lessons::ListLines& lines)
{
    return lessons::writeList(Datei, lines).about(listSubject());
}

QString frmMain::listSubject() const
{
    return Datei.endsWith(lessons::LanguageListFile) ? lessons::LanguageListName
                                                     : lessons::lessonListName(chosenLanguage());
}

bool frmMain::refuse(const QString& refusal)
{
    if (refusal.isEmpty())
        return false;
    say(refusal);
    return true;
}

bool frmMain::Check_Zeichen(const QString& name)
{
    const QString text = lessons::forbiddenCharacterMessage(name);
    if (text.isEmpty())
        return true;
    say(text);
    return false;
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
    Datei = Pfad + lessons::LanguageListFile;
    store::TextFile::touch(Datei);
    const QString plainList = Pfad + lessons::PlainLanguageListFile;
    const store::FileResult copied = store::Scrambler::passFile(Datei, plainList);
    if (!copied) {
        // No lookup may trust a copy of an older list.
        store::TextFile::remove(plainList);
        reportWriteFailure(copied.kind == store::FileResult::Kind::Read
                               ? copied.about(lessons::LanguageListName).meaning(QStringLiteral(
                                   "Die Sprachen werden erst angezeigt, wenn die Datei wieder "
                                   "lesbar ist; Paukomat verändert sie nicht."))
                               : copied);
    }

    QStringList names;
    for (const QString& line : store::TextFile::readLines(Pfad + lessons::PlainLanguageListFile)) {
        const store::KeyLine split = store::splitKeyLine(line);
        if (split.hasSeparator)
            lessons::raiseTo(MaxSprache, split.after, 3);
        names.append(split.before);
    }
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    lstSprachen->addItems(names);

    if (lstSprachen->count() > 0) {
        lstSprachen->setCurrentRow(0);
    } else {
        const QSignalBlocker quiet(lstLektionen);
        lstLektionen->clear();
        txtLektDatei->clear();
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
    const QString key = lessons::keyInPlainList(Pfad + lessons::PlainLanguageListFile,
                                                chosenLanguage());
    txtLektDatei->setText(key);
    // A key of another form can only come from a damaged list; it is not opened.
    if (lessons::isLanguageKey(key)) {
        Datei = Pfad + key;
        QStringList names;
        for (const lessons::ListLine& line : lessons::readList(Datei)) {
            lessons::raiseTo(MaxLektion, line.key, 1);
            names.append(line.name);
        }
        lstLektionen->addItems(names);
    }
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

bool frmMain::Ist_AuswahlVorhanden(int Nr)
{
    if (Nr == 1 && lstSprachen->count() == 0) {
        say(QStringLiteral("Zuerst eine Sprache bestimmen !!!"));
        return false;
    }
    if (Nr == 2 && lstLektionen->count() == 0) {
        say(QStringLiteral("Es ist keine Lektion vorhanden !"));
        return false;
    }
    return true;
}

void frmMain::BtnGo_Click()
{
    Oeffne_Lektion(QStringLiteral("Lernen"));
}

void frmMain::mnuLektionEdit_Click()
{
    Oeffne_Lektion(QStringLiteral("Bearbeiten"));
}

void frmMain::Oeffne_Lektion(const QString& mode)
{
    if (!Ist_AuswahlVorhanden(2))
        return;
    const QString language = chosenLanguage();
    const QString lesson = chosenLesson();
    const QString languageKey = lessons::keyInPlainList(Pfad + lessons::PlainLanguageListFile,
                                                        language);
    // The next screen works in the language directory on the lesson file: both names must be
    // plain names.
    if (refuseUnsafe(language) || refuseUnusableKey(language, languageKey))
        return;
    const QString lessonKey = lessons::keyOf(lessons::readList(Pfad + languageKey), lesson);
    if (refuseUnusableLessonKey(lesson, lessonKey))
        return;
    if (!reportWriteFailure(
            handoff::writeLessonChoice(tree(), Nutzer, {language, lesson, lessonKey})))
        return;
    setEnabled(false);
    setVisible(false);
    if (mode == QLatin1String("Bearbeiten"))
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
    if (message(QStringLiteral("Wollen Sie wirklich beenden ?"), Title, ui::Buttons::YesNo)
        != ui::Answer::Yes)
        return false;
    store::removeMatching(Pfad, QStringLiteral("tm*.*"));
    Pfad = tree().programPath();
    Pfad.chop(1);
    store::removeMatching(Pfad, QStringLiteral("tm*.*"));
    services().end.endNow();
    return true;
}

void frmMain::mnuNeueSprache_Click()
{
    const QString name = services().input.ask(this, QStringLiteral("Geben Sie die Sprache ein..."),
                                              Title);
    if (name.isEmpty() || !Check_Zeichen(name))
        return;
    Datei = Pfad + lessons::LanguageListFile;
    lessons::ListLines languages;
    if (!readForRewrite(languages))
        return;
    if (refuse(lessons::languageNameMessage(name, languages, Pfad)))
        return;
    if (MaxSprache >= lessons::MaxKeyNumber) {
        say(QStringLiteral("Es können keine weiteren Sprachen angelegt werden, die höchste "
                           "Sprachnummer ist erreicht !"));
        return;
    }
    // A directory left over under this name is taken over as it is.
    const QString directory = Pfad + name;
    const bool made = !QFileInfo(directory).isDir();
    if (made && !QDir().mkdir(directory)) {
        say(QStringLiteral("Das Verzeichnis für die Sprache %1 konnte nicht angelegt werden ! "
                           "Die Sprache wurde nicht angelegt.")
                .arg(name));
        return;
    }
    const int number = MaxSprache + 1;
    const QString key = lessons::languageKey(number);
    languages.append(lessons::ListLine::make(name, key));
    if (!reportWriteFailure(saveList(languages))) {
        if (made)
            QDir().rmdir(directory);
        return;
    }
    MaxSprache = number;
    // Empty, even when a file of that name was left behind.
    reportWriteFailure(store::TextFile::writeRawLines(Pfad + key, {}).about(lessons::lessonListName(name)));
    Fuelle_Sprachen();
}

void frmMain::mnuTitleSprache_Click()
{
    if (!Ist_AuswahlVorhanden(1))
        return;
    const QString oldName = chosenLanguage();
    if (refuseUnsafe(oldName))
        return;
    const QString newName = services().input.ask(
        this, QStringLiteral("Geben Sie die neue Bezeichnung der Sprache ") + oldName
                  + QStringLiteral(" ein:"),
        Title);
    if (newName.isEmpty() || !Check_Zeichen(newName) || newName == oldName)
        return;
    Datei = Pfad + lessons::LanguageListFile;
    lessons::ListLines languages;
    if (!readForRewrite(languages))
        return;
    if (refuse(lessons::languageNameMessage(newName, languages, Pfad)))
        return;
    const QString oldDirectory = Pfad + oldName;
    const QString newDirectory = Pfad + newName;
    if (QFileInfo::exists(newDirectory)) {
        say(QStringLiteral("Die Sprache %1 kann nicht in %2 umbenannt werden, da das Verzeichnis "
                           "\"%2\" bereits vorhanden ist !")
                .arg(oldName, newName));
        return;
    }
    for (lessons::ListLine& line : languages)
        if (line.name == oldName)
            line = line.renamed(newName);

    // The directory first: when it cannot take the new name, no list has changed yet.
    const bool moved = QFileInfo(oldDirectory).isDir();
    if (moved ? !QDir().rename(oldDirectory, newDirectory) : !QDir().mkdir(newDirectory)) {
        say(QStringLiteral("Das Verzeichnis der Sprache %1 konnte nicht in %2 umbenannt werden ! "
                           "Die Sprache behält ihren bisherigen Namen.")
                .arg(oldName, newName));
        return;
    }
    if (!reportWriteFailure(saveList(languages))) {
        if (moved)
            QDir().rename(newDirectory, oldDirectory);
        else
            QDir().rmdir(newDirectory);
        return;
    }
    Fuelle_Sprachen();
}

void frmMain::mnuSpracheDelete_Click()
{
    if (!Ist_AuswahlVorhanden(1))
        return;
    const QString name = chosenLanguage();
    Datei = Pfad + lessons::LanguageListFile;
    lessons::ListLines kept;
    if (!readForRewrite(kept))
        return;
    QStringList keys;
    for (const lessons::ListLine& line : std::as_const(kept))
        if (line.name == name && line.hasSeparator)
            keys.append(line.key);
    // Every file removed below lies in the user directory or the language directory.
    if (refuseUnsafe(name))
        return;
    for (const QString& key : std::as_const(keys))
        if (!key.isEmpty() && refuseUnusableKey(name, key))
            return;
    if (message(QStringLiteral("Soll die Sprache ") + name
                    + QStringLiteral(" wirklich gelöscht werden ?"),
                Title, ui::Buttons::YesNo)
        != ui::Answer::Yes)
        return;
    kept.removeIf([&](const lessons::ListLine& line) { return line.name == name; });
    if (!reportWriteFailure(saveList(kept)))
        return;
    for (const QString& key : std::as_const(keys))
        if (!key.isEmpty())
            store::TextFile::remove(Pfad + key);
    // A language directory that is a link loses the link only: what it points to lies outside
    // the data tree.
    const QString directory = tree().languagePath(Nutzer, name);
    if (const QString link = Pfad + name; QFileInfo(link).isSymLink()) {
        QFile::remove(link);
    } else {
        store::removeMatching(directory, QStringLiteral("*"));
        QDir().rmdir(directory);
    }
    Fuelle_Sprachen();
}

void frmMain::mnuNeueLektion_Click()
{
    if (!Ist_AuswahlVorhanden(1))
        return;
    const QString key = txtLektDatei->text();
    if (refuseUnusableKey(chosenLanguage(), key))
        return;
    const QString name = services().input.ask(
        this, QStringLiteral("Geben Sie den Namen der Lektion ein..."), Title);
    if (name.isEmpty() || !Check_Zeichen(name))
        return;
    Datei = Pfad + key;
    lessons::ListLines lessonLines;
    if (!readForRewrite(lessonLines))
        return;
    if (refuse(lessons::lessonNameMessage(name, lessonLines)))
        return;
    if (MaxLektion >= lessons::MaxKeyNumber) {
        say(QStringLiteral("Es können keine weiteren Lektionen angelegt werden, die höchste "
                           "Lektionsnummer ist erreicht !"));
        return;
    }
    const int number = MaxLektion + 1;
    lessonLines.append(lessons::ListLine::make(name, lessons::lessonKey(number)));
    if (!reportWriteFailure(saveList(lessonLines)))
        return;
    MaxLektion = number;
    Fuelle_Lektionen();
}

void frmMain::mnuTitleLektion_Click()
{
    if (!Ist_AuswahlVorhanden(2))
        return;
    const QString oldName = chosenLesson();
    const QString newName = services().input.ask(
        this, QStringLiteral("Geben Sie die neue Bezeichnung der Lektion ") + oldName
                  + QStringLiteral(" ein:"),
        Title);
    if (newName.isEmpty() || !Check_Zeichen(newName) || newName == oldName)
        return;
    const QString language = chosenLanguage();
    const QString key = lessons::keyInPlainList(Pfad + lessons::PlainLanguageListFile, language);
    if (refuseUnusableKey(language, key))
        return;
    Datei = Pfad + key;
    lessons::ListLines lessonLines;
    if (!readForRewrite(lessonLines))
        return;
    if (refuse(lessons::lessonNameMessage(newName, lessonLines)))
        return;
    for (lessons::ListLine& line : lessonLines)
        if (line.name == oldName)
            line = line.renamed(newName);
    if (!reportWriteFailure(saveList(lessonLines)))
        return;
    Fuelle_Sprachen();
}

void frmMain::mnuLektionDelete_Click()
{
    if (!Ist_AuswahlVorhanden(2))
        return;
    const QString lesson = chosenLesson();
    const QString language = chosenLanguage();
    const QString key = lessons::keyInPlainList(Pfad + lessons::PlainLanguageListFile, language);
    if (refuseUnsafe(language) || refuseUnusableKey(language, key))
        return;
    Datei = Pfad + key;
    lessons::ListLines kept;
    if (!readForRewrite(kept))
        return;
    QStringList lessonKeys;
    for (const lessons::ListLine& line : std::as_const(kept))
        if (line.name == lesson && !line.key.isEmpty())
            lessonKeys.append(line.key);
    for (const QString& lessonKey : std::as_const(lessonKeys))
        if (refuseUnusableLessonKey(lesson, lessonKey))
            return;
    if (message(QStringLiteral("Soll die Lektion ") + lesson
                    + QStringLiteral(" wirklich gelöscht werden ?"),
                Title, ui::Buttons::YesNo)
        != ui::Answer::Yes)
        return;
    kept.removeIf([&](const lessons::ListLine& line) { return line.name == lesson; });
    if (!reportWriteFailure(saveList(kept)))
        return;
    // The results go with the lesson, so that a later lesson of the same number starts afresh.
    const QString directory = tree().languagePath(Nutzer, language);
    for (const QString& lessonKey : std::as_const(lessonKeys)) {
        store::TextFile::remove(directory + lessonKey);
        store::TextFile::remove(directory + QStringLiteral("E") + lessonKey);
    }
    Fuelle_Sprachen();
}
