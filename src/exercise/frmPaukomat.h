#pragma once

#include "exercise/Drill.h"
#include "ui/ReadAloud.h"
#include "ui/ScreenBase.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace exercise {

// The drill screen: asks the words of one lesson run after run in the chosen direction, shows
// every judgement and the counts, and offers the ways out. The drill does the work; the screen
// shows its words, counts and messages.
class frmPaukomat final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmPaukomat(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;

protected:
    bool Form_QueryUnload() override;

private:
    void buildHeading();
    void buildSettings();
    void buildLessonFrame();
    void buildResults();
    void buildButtons();
    void arrange();
    void setTabOrders();
    void connectSignals();

    void cmdStartUebung_Click();
    void txtLoesung_KeyPress(int KeyAscii);
    void cmdStopUebung_Click();
    void cmdCancel_Click();
    void cmdShowErgebnis_Click();
    void cmdVorlesen_Click();

    void Naechste_Vokabel();
    void Pruefe_Antwort();
    void Zeige_Aktuell();
    void Zeige_Gesamt();
    void Uebung_Ende();
    void Setze_Grundzustand();
    void Zeige_Faellig();
    void Verlasse_Uebung();

    // Ends the run when its copy could not be written; true when it did.
    bool stopOnRunCopyFailure();
    // The answer frame shut and the focus on "Übung starten", once a run is over.
    void awaitNextRun();
    // The speaker button for the word just shown, which "Frage vorlesen" speaks at once; a
    // German question is never spoken.
    void offerReadAloud();

    QGroupBox* fmeSettings = nullptr;
    QGroupBox* fmeChooseLanguage = nullptr;
    QList<QRadioButton*> optPaukomatLanguage;
    QGroupBox* fmeChooseReihenfolge = nullptr;
    QList<QRadioButton*> optPaukomatWelcheVokabeln;
    QLabel* lblFaellig = nullptr;
    QCheckBox* chkVorlesen = nullptr;
    QList<QLabel*> lblLektion;
    QGroupBox* fmeLektion = nullptr;
    QList<QLabel*> Label1;
    QLabel* lblVorgabe = nullptr;
    QLineEdit* txtLoesung = nullptr;
    std::unique_ptr<ui::ReadAloud> m_readAloud;
    QToolButton* cmdVorlesen = nullptr;
    QGroupBox* fmeErgebnis = nullptr;
    QGroupBox* Frame3 = nullptr;
    QList<QLabel*> lblErgebnisAktuell;
    QGroupBox* Frame2 = nullptr;
    QList<QLabel*> lblErgebnisGesamt;
    QPushButton* cmdStartUebung = nullptr;
    QPushButton* cmdStopUebung = nullptr;
    QPushButton* cmdShowErgebnis = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    QString Nutzer;
    std::optional<exercise::Drill> m_drill;
};

} // namespace exercise
