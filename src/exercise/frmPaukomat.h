#pragma once

#include "exercise/Drill.h"
#include "ui/ScreenBase.h"

#include <QList>
#include <QString>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

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

    void Naechste_Vokabel();
    void Pruefe_Antwort();
    void Zeige_Aktuell();
    void Zeige_Gesamt();
    void Uebung_Ende();
    void Setze_Grundzustand();
    void Verlasse_Uebung();

    // Ends the run when its copy could not be written; true when it did.
    bool stopOnRunCopyFailure();
    // The answer frame shut and the focus on "Übung starten", once a run is over.
    void awaitNextRun();

    QGroupBox* fmeSettings = nullptr;
    QGroupBox* fmeChooseLanguage = nullptr;
    QList<QRadioButton*> optPaukomatLanguage;
    QGroupBox* fmeChooseReihenfolge = nullptr;
    QList<QRadioButton*> optPaukomatWelcheVokabeln;
    QList<QLabel*> lblLektion;
    QGroupBox* fmeLektion = nullptr;
    QList<QLabel*> Label1;
    QLabel* lblVorgabe = nullptr;
    QLineEdit* txtLoesung = nullptr;
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
