#include "exercise/frmPaukomat.h"

#include "handoff/HandOff.h"
#include "lesson/LanguageLocale.h"
#include "store/TextRules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace exercise {

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
        labels[i + 5]->setMinimumWidth(
            labels[i + 5]->fontMetrics().horizontalAdvance(QStringLiteral(" 100.00 %")));
        grid->addWidget(labels[i + 5], i, 1);
    }
    return labels;
}

void showColumn(const QList<QLabel*>& labels, const results::ResultColumn& column)
{
    const QStringList texts = {column.wordsText(), column.rightText(), column.wrongText(),
                               column.percentText(), column.gradeText()};
    for (int i = 0; i < 5; ++i)
        labels[i + 5]->setText(texts[i]);
}

} // namespace

frmPaukomat::frmPaukomat(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmPaukomat"));
    setWindowTitle(QStringLiteral("Paukomat V1.1"));
    buildHeading();
    buildSettings();
    buildLessonFrame();
    buildResults();
    buildButtons();
    arrange();
    setTabOrders();
    // Idle until a run starts.
    fmeLektion->setEnabled(false);
    cmdStopUebung->setEnabled(false);
    cmdStartUebung->setFocus();
    connectSignals();
}

void frmPaukomat::buildHeading()
{
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
}

void frmPaukomat::buildSettings()
{
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
               QStringLiteral("Die abzufragenden Vokabeln in zufälliger Reihenfolge")),
        option(fmeChooseReihenfolge, QStringLiteral("optPaukomatWelcheVokabeln_2"),
               QStringLiteral("die Vokabeln, die nach ihrem Kasten heute wieder an der Reihe "
                              "sind"))};
    optPaukomatWelcheVokabeln[0]->setText(QStringLiteral("alle Vokabeln dieser Lektion"));
    optPaukomatWelcheVokabeln[1]->setText(QStringLiteral("nur fehlerhafte Vokabeln"));
    optPaukomatWelcheVokabeln[2]->setText(QStringLiteral("fällige Vokabeln"));
    lblFaellig = new QLabel(fmeChooseReihenfolge);
    lblFaellig->setObjectName(QStringLiteral("lblFaellig"));
    lblFaellig->setIndent(
        optPaukomatWelcheVokabeln[2]->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
        + optPaukomatWelcheVokabeln[2]->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    optPaukomatLanguage[0]->setChecked(true);
    optPaukomatWelcheVokabeln[0]->setChecked(true);
    auto* languages = new QVBoxLayout(fmeChooseLanguage);
    auto* choices = new QVBoxLayout(fmeChooseReihenfolge);
    for (QRadioButton* o : std::as_const(optPaukomatLanguage))
        languages->addWidget(o);
    for (QRadioButton* o : std::as_const(optPaukomatWelcheVokabeln))
        choices->addWidget(o);
    choices->addWidget(lblFaellig);
    auto* settings = new QVBoxLayout(fmeSettings);
    settings->addWidget(fmeChooseLanguage);
    settings->addWidget(fmeChooseReihenfolge);
    chkVorlesen = new QCheckBox(QStringLiteral("Frage vorlesen"), fmeSettings);
    chkVorlesen->setObjectName(QStringLiteral("chkVorlesen"));
    settings->addWidget(chkVorlesen);
    settings->addStretch();
}

void frmPaukomat::buildLessonFrame()
{
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
    m_readAloud = std::make_unique<ui::ReadAloud>(services().speech, fmeLektion);
    cmdVorlesen = m_readAloud->button();
    const int iconSide = QFontMetrics(wordFont).height();
    cmdVorlesen->setIconSize(QSize(iconSide, iconSide));
    auto* lesson = new QGridLayout(fmeLektion);
    lesson->setColumnStretch(1, 1);
    lesson->setHorizontalSpacing(12);
    for (int i = 0; i < 2; ++i) {
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        lesson->addWidget(Label1[i], i, 0);
    }
    lesson->addWidget(lblVorgabe, 0, 1);
    lesson->addWidget(cmdVorlesen, 0, 2);
    lesson->addWidget(txtLoesung, 1, 1, 1, 2);
}

void frmPaukomat::buildResults()
{
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
}

void frmPaukomat::buildButtons()
{
    cmdStartUebung =
        createButton(this, QStringLiteral("cmdStartUebung"), QStringLiteral("Übung starten"),
                     QStringLiteral("startet die Vokabelabfrage"));
    cmdStopUebung =
        createButton(this, QStringLiteral("cmdStopUebung"), QStringLiteral("Übung beenden"),
                     QStringLiteral("beendet die Vokabelabfrage"));
    cmdShowErgebnis =
        createButton(this, QStringLiteral("cmdShowErgebnis"), QStringLiteral("Ergebnisse..."),
                     QStringLiteral("zeigt die bisherigen Ergebnisse für diese Übung an"));
    cmdCancel =
        createButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Zurück"),
                     QStringLiteral("zurück zur Lektionsauswahl, das Ergebnis wird gespeichert"));
    cmdHelp = createHelpButton();
    // One width for all buttons, with room around the longest caption.
    int buttonWidth = 0;
    for (QPushButton* b : {cmdStartUebung, cmdStopUebung, cmdShowErgebnis, cmdCancel, cmdHelp})
        buttonWidth = std::max(buttonWidth, b->sizeHint().width() + 20);
    for (QPushButton* b : {cmdStartUebung, cmdStopUebung, cmdShowErgebnis, cmdCancel, cmdHelp})
        b->setMinimumWidth(buttonWidth);
}

void frmPaukomat::arrange()
{
    auto* heading = new QHBoxLayout;
    heading->addWidget(lblLektion[0]);
    heading->addSpacing(16);
    heading->addWidget(lblLektion[1], 1);
    auto* upper = new QHBoxLayout;
    upper->addWidget(fmeSettings);
    upper->addWidget(fmeErgebnis, 1);
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
}

void frmPaukomat::setTabOrders()
{
    const QList<QWidget*> order{optPaukomatLanguage[0],
                                optPaukomatLanguage[1],
                                optPaukomatWelcheVokabeln[0],
                                optPaukomatWelcheVokabeln[1],
                                optPaukomatWelcheVokabeln[2],
                                txtLoesung,
                                cmdStartUebung,
                                cmdStopUebung,
                                cmdShowErgebnis,
                                cmdCancel,
                                cmdHelp};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(txtLoesung, cmdVorlesen);
}

void frmPaukomat::connectSignals()
{
    connect(cmdStartUebung, &QPushButton::clicked, this, &frmPaukomat::cmdStartUebung_Click);
    connect(cmdStopUebung, &QPushButton::clicked, this, &frmPaukomat::cmdStopUebung_Click);
    connect(cmdShowErgebnis, &QPushButton::clicked, this, &frmPaukomat::cmdShowErgebnis_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPaukomat::cmdCancel_Click);
    connect(txtLoesung, &QLineEdit::returnPressed, this, [this] { txtLoesung_KeyPress(13); });
    connect(cmdVorlesen, &QToolButton::clicked, this, &frmPaukomat::cmdVorlesen_Click);
}

bool frmPaukomat::Form_Load()
{
    store::Result<lesson::HandedOverLesson> handed =
        lesson::openHandedOverLesson(tree(), lesson::LessonUse::Drilling);
    if (!report(handed.outcome))
        return false;
    Nutzer = handed.value.user;
    m_drill.emplace(std::move(*handed.value.lesson));
    const QString language = m_drill->lesson().language();
    lblLektion[0]->setText(language);
    lblLektion[1]->setText(m_drill->lesson().name());
    optPaukomatLanguage[0]->setText(language + QStringLiteral(" -> Deutsch"));
    optPaukomatLanguage[1]->setText(QStringLiteral("Deutsch -> ") + language);
    m_readAloud->setLanguage(language);
    chkVorlesen->setEnabled(m_readAloud->refusal().isEmpty());
    chkVorlesen->setToolTip(m_readAloud->refusal().isEmpty()
                                ? QStringLiteral("liest jede Frage in der Fremdsprache vor, "
                                                 "sobald sie erscheint")
                                : m_readAloud->refusal());
    Zeige_Gesamt();
    Zeige_Aktuell();
    Zeige_Faellig();
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
    exercise::Selection selection = exercise::Selection::WrongOnly;
    if (optPaukomatWelcheVokabeln[0]->isChecked())
        selection = exercise::Selection::AllWords;
    else if (optPaukomatWelcheVokabeln[2]->isChecked())
        selection = exercise::Selection::Due;
    m_drill->start(optPaukomatLanguage[0]->isChecked() ? exercise::Direction::ForeignToGerman
                                                       : exercise::Direction::GermanToForeign,
                   selection, [this] { return services().random.nextUniform(); });
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
    const bool found = m_drill->next();
    if (stopOnRunCopyFailure())
        return;
    if (!found) {
        lblVorgabe->clear();
        Uebung_Ende();
        return;
    }
    lblVorgabe->setText(m_drill->shown());
    txtLoesung->setFocus();
    offerReadAloud();
}

void frmPaukomat::offerReadAloud()
{
    if (!optPaukomatLanguage[0]->isChecked()) {
        m_readAloud->offer(lesson::GermanQuestionRefusal);
        return;
    }
    m_readAloud->offer();
    if (chkVorlesen->isChecked())
        m_readAloud->say(m_drill->shown());
}

void frmPaukomat::cmdVorlesen_Click()
{
    if (m_drill->asking() && optPaukomatLanguage[0]->isChecked())
        m_readAloud->say(m_drill->shown());
}

bool frmPaukomat::stopOnRunCopyFailure()
{
    if (!m_drill->broken())
        return false;
    report(m_drill->stopBroken());
    Zeige_Gesamt();
    Setze_Grundzustand();
    awaitNextRun();
    return true;
}

void frmPaukomat::Pruefe_Antwort()
{
    if (!m_drill || !m_drill->asking())
        return;
    if (const QString correction = m_drill->answer(txtLoesung->text()); !correction.isEmpty())
        message(correction, store::ErrorTitle, ui::Buttons::Ok, ui::Icon::Stop);
    if (stopOnRunCopyFailure())
        return;
    Zeige_Aktuell();
    Zeige_Gesamt();
    Naechste_Vokabel();
}

void frmPaukomat::Zeige_Aktuell()
{
    showColumn(lblErgebnisAktuell, m_drill->current());
}

void frmPaukomat::Zeige_Gesamt()
{
    showColumn(lblErgebnisGesamt, m_drill->total());
}

void frmPaukomat::Uebung_Ende()
{
    message(m_drill->endMessage(), ResultTitle, ui::Buttons::Ok, ui::Icon::Exclamation);
    const store::Outcome stored = m_drill->finish();
    Setze_Grundzustand();
    Zeige_Gesamt();
    Zeige_Faellig();
    report(stored);
    awaitNextRun();
}

void frmPaukomat::Zeige_Faellig()
{
    lblFaellig->setText(m_drill->dueSummary());
}

void frmPaukomat::Setze_Grundzustand()
{
    txtLoesung->clear();
    lblVorgabe->clear();
    fmeSettings->setEnabled(true);
    cmdCancel->setEnabled(true);
    cmdShowErgebnis->setEnabled(true);
    cmdStartUebung->setEnabled(true);
    cmdStopUebung->setEnabled(false);
    Zeige_Aktuell();
}

void frmPaukomat::awaitNextRun()
{
    fmeLektion->setEnabled(false);
    cmdStartUebung->setFocus();
}

void frmPaukomat::cmdStopUebung_Click()
{
    Verlasse_Uebung();
}

void frmPaukomat::cmdCancel_Click()
{
    if (!report(m_drill->storeBack()))
        return;
    Verlasse_Uebung();
}

void frmPaukomat::Verlasse_Uebung()
{
    m_drill->leave();
    ui::Navigator& next = screens();
    next.restoreMain();
    closeScreen();
}

void frmPaukomat::cmdShowErgebnis_Click()
{
    const lesson::LessonFile& lesson = m_drill->lesson();
    if (!report(handoff::writeResultsRequest(
            tree(), {Nutzer, lesson.language(), lesson.name(), lesson.files().results()})))
        return;
    ui::Navigator& next = screens();
    closeScreen();
    next.showResults();
}

bool frmPaukomat::Form_QueryUnload()
{
    if (m_drill->running())
        cmdStopUebung_Click();
    else
        cmdCancel_Click();
    // Both ways out close the screen themselves; a failed save keeps it open.
    return false;
}

} // namespace exercise
