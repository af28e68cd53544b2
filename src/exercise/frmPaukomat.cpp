#include "exercise/frmPaukomat.h"

#include "handoff/HandOff.h"
#include "exercise/AnswerCheck.h"
#include "results/ResultFile.h"
#include "store/Cp1252.h"
#include "store/DataTree.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString ResultTitle = QStringLiteral("Paukomat V1.1  -  Ergebnis");


QRadioButton* option(QWidget* parent, const QString& name, const QString& toolTip = {})
{
    auto* o = new QRadioButton(parent);
    o->setObjectName(name);
    o->setToolTip(toolTip);
    return o;
}

// A result column: captions 0 to 4 beside the value labels 5 to 9.
QList<QLabel*> resultLabels(QGroupBox* frame, const QString& name)
{
    static const QStringList captions = {QStringLiteral("Vokabeln:"), QStringLiteral("Richtig:"),
                                         QStringLiteral("Falsch:"), QStringLiteral("Prozent:"),
                                         QStringLiteral("Zensur:")};
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(12);
    QList<QLabel*> labels;
    for (int i = 0; i < 10; ++i) {
        auto* label = new QLabel(i < 5 ? captions[i] : QString(), frame);
        label->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        labels.append(label);
    }
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(labels[i], i, 0);
        labels[i + 5]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        labels[i + 5]->setMinimumWidth(labels[i + 5]->fontMetrics().horizontalAdvance(
            QStringLiteral(" 100.00 %")));
        grid->addWidget(labels[i + 5], i, 1);
    }
    return labels;
}

} // namespace

frmPaukomat::frmPaukomat(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmPaukomat"));
    setWindowTitle(QStringLiteral("Paukomat V1.1"));

    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblLektion_%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        QFont font = label->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * (i == 0 ? 1.3 : 1.1));
        label->setFont(font);
        lblLektion.append(label);
    }

    fmeSettings = new QGroupBox(QStringLiteral("Abfrageeinstellungen"), this);
    fmeSettings->setObjectName(QStringLiteral("fmeSettings"));
    fmeChooseLanguage = new QGroupBox(fmeSettings);
    fmeChooseLanguage->setObjectName(QStringLiteral("fmeChooseLanguage"));
    optPaukomatLanguage = {option(fmeChooseLanguage, QStringLiteral("optPaukomatLanguage_0")),
                           option(fmeChooseLanguage, QStringLiteral("optPaukomatLanguage_1"))};
    fmeChooseReihenfolge = new QGroupBox(fmeSettings);
    fmeChooseReihenfolge->setObjectName(QStringLiteral("fmeChooseReihenfolge"));
    optPaukomatWelcheVokabeln = {
        option(fmeChooseReihenfolge, QStringLiteral("optPaukomatWelcheVokabeln_0"),
               QStringLiteral("die Vokabeln werden alphabetisch abgefragt")),
        option(fmeChooseReihenfolge, QStringLiteral("optPaukomatWelcheVokabeln_1"),
               QStringLiteral("Die abzufragenden Vokabeln in zufälliger Reihenfolge"))};
    optPaukomatWelcheVokabeln[0]->setText(QStringLiteral("alle Vokabeln dieser Lektion"));
    optPaukomatWelcheVokabeln[1]->setText(QStringLiteral("nur fehlerhafte Vokabeln"));
    optPaukomatLanguage[0]->setChecked(true);
    optPaukomatWelcheVokabeln[0]->setChecked(true);
    auto* languages = new QVBoxLayout(fmeChooseLanguage);
    auto* choices = new QVBoxLayout(fmeChooseReihenfolge);
    for (int i = 0; i < 2; ++i) {
        languages->addWidget(optPaukomatLanguage[i]);
        choices->addWidget(optPaukomatWelcheVokabeln[i]);
    }
    auto* settings = new QVBoxLayout(fmeSettings);
    settings->addWidget(fmeChooseLanguage);
    settings->addWidget(fmeChooseReihenfolge);
    settings->addStretch();

    fmeLektion = new QGroupBox(this);
    fmeLektion->setObjectName(QStringLiteral("fmeLektion"));
    Label1 = {new QLabel(QStringLiteral("Vorgabe:"), fmeLektion),
              new QLabel(QStringLiteral("Ihre Lösung:"), fmeLektion)};
    lblVorgabe = new QLabel(fmeLektion);
    lblVorgabe->setObjectName(QStringLiteral("lblVorgabe"));
    // Words such as "<html>" are shown as typed, never as markup.
    lblVorgabe->setTextFormat(Qt::PlainText);
    // The word takes the width the window has; a very long one must not widen the window
    // beyond the screen.
    lblVorgabe->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    txtLoesung = new QLineEdit(fmeLektion);
    txtLoesung->setObjectName(QStringLiteral("txtLoesung"));
    QFont wordFont = lblVorgabe->font();
    wordFont.setPointSizeF(wordFont.pointSizeF() * 1.25);
    txtLoesung->setFont(wordFont);
    wordFont.setBold(true);
    lblVorgabe->setFont(wordFont);
    lblVorgabe->setMinimumHeight(txtLoesung->sizeHint().height());
    auto* lesson = new QGridLayout(fmeLektion);
    lesson->setColumnStretch(1, 1);
    lesson->setHorizontalSpacing(12);
    for (int i = 0; i < 2; ++i) {
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        lesson->addWidget(Label1[i], i, 0);
    }
    lesson->addWidget(lblVorgabe, 0, 1);
    lesson->addWidget(txtLoesung, 1, 1);

    fmeErgebnis = new QGroupBox(QStringLiteral("Ergebnis"), this);
    fmeErgebnis->setObjectName(QStringLiteral("fmeErgebnis"));
    Frame3 = new QGroupBox(QStringLiteral("aktuell"), fmeErgebnis);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    lblErgebnisAktuell = resultLabels(Frame3, QStringLiteral("lblErgebnisAktuell"));
    Frame2 = new QGroupBox(QStringLiteral("bisher (gesamt)"), fmeErgebnis);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    lblErgebnisGesamt = resultLabels(Frame2, QStringLiteral("lblErgebnisGesamt"));
    auto* results = new QHBoxLayout(fmeErgebnis);
    results->addWidget(Frame3);
    results->addWidget(Frame2);

    cmdStartUebung = createButton(this, QStringLiteral("cmdStartUebung"), QStringLiteral("Übung starten"),
                            QStringLiteral("startet die Vokabelabfrage"));
    cmdStopUebung = createButton(this, QStringLiteral("cmdStopUebung"), QStringLiteral("Übung beenden"),
                           QStringLiteral("beendet die Vokabelabfrage"));
    cmdShowErgebnis = createButton(this, QStringLiteral("cmdShowErgebnis"), QStringLiteral("Ergebnisse..."),
                             QStringLiteral("zeigt die bisherigen Ergebnisse für diese Übung an"));
    cmdCancel = createButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Zurück"),
                       QStringLiteral("zurück zur Lektionsauswahl, das Ergebnis wird gespeichert"));
    cmdHelp = createHelpButton();

    auto* heading = new QHBoxLayout;
    heading->addWidget(lblLektion[0]);
    heading->addSpacing(16);
    heading->addWidget(lblLektion[1], 1);
    auto* upper = new QHBoxLayout;
    upper->addWidget(fmeSettings);
    upper->addWidget(fmeErgebnis, 1);
    // One width for all buttons, with room around the longest caption.
    int buttonWidth = 0;
    for (QPushButton* b : {cmdStartUebung, cmdStopUebung, cmdShowErgebnis, cmdCancel, cmdHelp})
        buttonWidth = std::max(buttonWidth, b->sizeHint().width() + 20);
    for (QPushButton* b : {cmdStartUebung, cmdStopUebung, cmdShowErgebnis, cmdCancel, cmdHelp})
        b->setMinimumWidth(buttonWidth);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdStartUebung, cmdStopUebung, cmdShowErgebnis})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 10, 12, 12);
    root->setSpacing(10);
    root->addLayout(heading);
    root->addLayout(upper);
    root->addWidget(fmeLektion);
    root->addLayout(buttons);

    setTabOrder(optPaukomatLanguage[0], optPaukomatLanguage[1]);
    setTabOrder(optPaukomatLanguage[1], optPaukomatWelcheVokabeln[0]);
    setTabOrder(optPaukomatWelcheVokabeln[0], optPaukomatWelcheVokabeln[1]);
    setTabOrder(optPaukomatWelcheVokabeln[1], txtLoesung);
    setTabOrder(txtLoesung, cmdStartUebung);
    setTabOrder(cmdStartUebung, cmdStopUebung);
    setTabOrder(cmdStopUebung, cmdShowErgebnis);
    setTabOrder(cmdShowErgebnis, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);

    // Idle until a run starts.
    fmeLektion->setEnabled(false);
    cmdStopUebung->setEnabled(false);
    cmdStartUebung->setFocus();

    connect(cmdStartUebung, &QPushButton::clicked, this, &frmPaukomat::cmdStartUebung_Click);
    connect(cmdStopUebung, &QPushButton::clicked, this, &frmPaukomat::cmdStopUebung_Click);
    connect(cmdShowErgebnis, &QPushButton::clicked, this, &frmPaukomat::cmdShowErgebnis_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPaukomat::cmdCancel_Click);
    connect(txtLoesung, &QLineEdit::returnPressed, this, [this] { txtLoesung_KeyPress(13); });
}

bool frmPaukomat::refuseLoad(const QString& text)
{
    message(text, store::ErrorTitle, ui::Buttons::Ok, ui::Icon::Stop);
    return false;
}

bool frmPaukomat::Form_Load()
{
    const handoff::Read<QString> user = handoff::readSignedInUser(tree());
    if (user.problem == handoff::Problem::Missing)
        return refuseLoad(QStringLiteral("Der angemeldete Benutzer ist nicht bekannt, die Datei "
                                         "\"%1\" fehlt oder ist leer. Die Übung kann nicht "
                                         "geöffnet werden.")
                              .arg(handoff::SignedInFile));
    if (!user.ok())
        return refuseLoad(store::unsafeNameMessage(user.unsafeName));
    Nutzer = user.value;

    const handoff::Read<handoff::LessonChoice> choice = handoff::readLessonChoice(tree(), Nutzer);
    if (choice.problem == handoff::Problem::Missing)
        return refuseLoad(QStringLiteral("Die gewählte Lektion ist nicht bekannt, die Datei "
                                         "\"%1\" fehlt oder ist unvollständig. Die Übung "
                                         "kann nicht geöffnet werden.")
                              .arg(handoff::LessonChoiceFile));
    if (!choice.ok())
        return refuseLoad(store::unsafeNameMessage(choice.unsafeName));
    Sprache = choice.value.language;
    Lektion = choice.value.lesson;
    LektDatei = choice.value.key;

    Pfad = tree().languagePath(Nutzer, Sprache);
    LektDateiCrypt = Pfad + LektDatei;
    Arbeitskopie = Pfad + QStringLiteral("tmp") + LektDatei;
    Laufkopie = Pfad + QStringLiteral("tmpUxx");
    ErgebnDatei = Pfad + QStringLiteral("E") + LektDatei;

    if (const store::FileResult made = store::TextFile::touch(LektDateiCrypt); !made)
        return refuseLoad(store::lessonInaccessibleMessage(Lektion, made.path, made.error));
    // The lines are kept as the lesson holds them rather than read back from the working copy:
    // a line of a damaged lesson may hold a line end of its own, which would split it there.
    // An unreadable lesson must not pass for an empty one: "Zurück" would wipe it.
    QList<QByteArray> lines;
    if (const store::FileResult read = store::TextFile::readRawLines(LektDateiCrypt, lines); !read)
        return refuseLoad(store::lessonInaccessibleMessage(Lektion, read.path, read.error));
    for (QByteArray& line : lines)
        line = store::Scrambler::scramble(std::move(line));
    if (const store::FileResult copied = store::TextFile::writeRawLines(Arbeitskopie, lines);
        !copied)
        return refuseLoad(store::lessonInaccessibleMessage(Lektion, copied.path, copied.error));
    m_workingCopy.clear();
    m_workingCopy.reserve(lines.size());
    for (const QByteArray& line : std::as_const(lines))
        m_workingCopy.append(store::fromCp1252(line));

    lblLektion[0]->setText(Sprache);
    lblLektion[1]->setText(Lektion);
    optPaukomatLanguage[0]->setText(Sprache + QStringLiteral(" -> Deutsch"));
    optPaukomatLanguage[1]->setText(QStringLiteral("Deutsch -> ") + Sprache);

    Lies_Gesamt();
    Aktuell.setCounts(0, 0);
    Zeige_Aktuell();
    return true;
}

void frmPaukomat::cmdStartUebung_Click()
{
    fmeSettings->setEnabled(false);
    fmeLektion->setEnabled(true);
    cmdCancel->setEnabled(false);
    cmdShowErgebnis->setEnabled(false);
    cmdStartUebung->setEnabled(false);
    cmdStopUebung->setEnabled(true);

    Richtung = optPaukomatLanguage[0]->isChecked() ? exercise::Direction::ForeignToGerman
                                                   : exercise::Direction::GermanToForeign;
    WelcheVokabeln = optPaukomatWelcheVokabeln[0]->isChecked() ? exercise::Selection::Alle
                                                               : exercise::Selection::Fehler;
    bAlleVokabeln = false;
    m_totalsAtStart = Gesamt;
    m_run = std::make_unique<exercise::Run>(m_workingCopy, Richtung, WelcheVokabeln, Laufkopie,
                                            [this] { return services().random.nextUniform(); });
    Naechste_Vokabel();
}

void frmPaukomat::txtLoesung_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        Pruefe_Antwort();
}

void frmPaukomat::Naechste_Vokabel()
{
    txtLoesung->clear();
    const bool found = m_run->next();
    bAlleVokabeln = m_run->atEnd();
    if (stopOnRunCopyFailure())
        return;
    if (!found) {
        lblVorgabe->clear();
        Uebung_Ende();
        return;
    }
    lblVorgabe->setText(m_run->shown());
    txtLoesung->setFocus();
}

bool frmPaukomat::stopOnRunCopyFailure()
{
    // Without its copy on disk a crash would lose the run unnoticed: the run stops as
    // "Übung beenden" would, and the lesson keeps its marks.
    if (m_run->writeResult().ok)
        return false;
    reportWriteFailure(lessonFailure(m_run->writeResult())
                           .meaning(QStringLiteral("Die Übung wird abgebrochen; die Lektion "
                                                   "bleibt, wie sie war.")));
    Gesamt = m_totalsAtStart;
    Zeige_Gesamt();
    Setze_Grundzustand();
    store::TextFile::remove(Laufkopie);
    fmeLektion->setEnabled(false);
    cmdStartUebung->setFocus();
    return true;
}

store::FileResult frmPaukomat::lessonFailure(store::FileResult result) const
{
    // The user knows the lesson, not its working or run copy.
    result.path = LektDateiCrypt;
    return result.about(store::lessonSubject(Lektion));
}

store::FileResult frmPaukomat::storeLesson(const QStringList& lines) const
{
    QList<QByteArray> stored;
    stored.reserve(lines.size());
    for (const QString& line : lines)
        stored.append(store::Scrambler::scrambleText(line));
    return lessonFailure(store::TextFile::writeRawLines(LektDateiCrypt, stored));
}

void frmPaukomat::Pruefe_Antwort()
{
    if (!m_run || bAlleVokabeln)
        return;
    const QString expected = m_run->expected();
    const bool right = exercise::isRightAnswer(expected, txtLoesung->text());
    Aktuell.count(right);
    Gesamt.count(right);
    if (!right)
        message(QStringLiteral("Die richtige Lösung für  '") + lblVorgabe->text()
                    + QStringLiteral("'  lautet:\n\n") + expected,
                store::ErrorTitle, ui::Buttons::Ok, ui::Icon::Stop);
    m_run->markAnswer(right);
    if (stopOnRunCopyFailure())
        return;
    Zeige_Aktuell();
    Zeige_Gesamt();
    Naechste_Vokabel();
}

void frmPaukomat::Zeige_Aktuell()
{
    const QStringList texts = {Aktuell.wordsText(), Aktuell.rightText(), Aktuell.wrongText(),
                               Aktuell.percentText(), Aktuell.gradeText()};
    for (int i = 0; i < 5; ++i)
        lblErgebnisAktuell[i + 5]->setText(texts[i]);
}

void frmPaukomat::Zeige_Gesamt()
{
    const QStringList texts = {Gesamt.wordsText(), Gesamt.rightText(), Gesamt.wrongText(),
                               Gesamt.percentText(), Gesamt.gradeText()};
    for (int i = 0; i < 5; ++i)
        lblErgebnisGesamt[i + 5]->setText(texts[i]);
}

void frmPaukomat::Lies_Gesamt()
{
    const auto totals = results::ResultFile::readTotals(ErgebnDatei);
    Gesamt.setCounts(totals.words, totals.right);
    Zeige_Gesamt();
}

void frmPaukomat::Uebung_Ende()
{
    if (Aktuell.words() == 0) {
        message(QStringLiteral("Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !"),
                ResultTitle, ui::Buttons::Ok, ui::Icon::Exclamation);
        Setze_Grundzustand();
    } else {
        message(results::runSummary(Aktuell), ResultTitle, ui::Buttons::Ok,
                ui::Icon::Exclamation);
        Speichere_Ergebnis();
    }
    fmeLektion->setEnabled(false);
    cmdStartUebung->setFocus();
}

void frmPaukomat::Speichere_Ergebnis()
{
    // The run's marks decide what the next run asks; they stay here even when nothing can be
    // stored, so that "Zurück" can still store them.
    m_workingCopy = m_run->runCopy();
    const store::FileResult results = results::ResultFile::storeRun(ErgebnDatei, Gesamt, Aktuell)
                                          .about(store::resultsSubject(Lektion));
    Setze_Grundzustand();
    if (!results) {
        // The file keeps its old totals; so does the column, or the next run would store
        // totals that its records do not add up to.
        Gesamt = m_totalsAtStart;
        Zeige_Gesamt();
    }
    // A finished run's marks go into the lesson at once, so that leaving by "Übung beenden"
    // or by the results screen later keeps them. A full disk is told once.
    const store::FileResult marks = storeLesson(m_workingCopy);
    reportWriteFailure(results ? marks : results);
    if (marks && store::TextFile::writeLines(Arbeitskopie, m_workingCopy))
        store::TextFile::remove(Laufkopie);
}

void frmPaukomat::Setze_Grundzustand()
{
    m_run.reset();
    txtLoesung->clear();
    lblVorgabe->clear();
    fmeSettings->setEnabled(true);
    cmdCancel->setEnabled(true);
    cmdShowErgebnis->setEnabled(true);
    cmdStartUebung->setEnabled(true);
    cmdStopUebung->setEnabled(false);
    Aktuell.clearCounts();
    Zeige_Aktuell();
}

void frmPaukomat::cmdStopUebung_Click()
{
    Verlasse_Uebung();
}

void frmPaukomat::cmdCancel_Click()
{
    // The lesson gets the lines held here, which the working copy mirrors; so a working copy
    // removed behind the program's back cannot empty the lesson.
    if (!reportWriteFailure(storeLesson(m_workingCopy)))
        return;
    Verlasse_Uebung();
}

void frmPaukomat::Verlasse_Uebung()
{
    m_run.reset();
    store::removeMatching(Pfad, QStringLiteral("tmp*"));
    ui::Navigator& next = screens();
    next.restoreMain();
    closeScreen();
}

void frmPaukomat::cmdShowErgebnis_Click()
{
    if (!reportWriteFailure(handoff::writeResultsRequest(
            tree(), {Nutzer, lblLektion[0]->text(), Lektion, ErgebnDatei})))
        return;
    ui::Navigator& next = screens();
    closeScreen();
    next.showResults();
}

bool frmPaukomat::Form_QueryUnload()
{
    if (m_run)
        cmdStopUebung_Click();
    else
        cmdCancel_Click();
    // Both ways out close the screen themselves; a failed save keeps it open.
    return false;
}
