#pragma once

#include "results/ResultColumn.h"
#include "exercise/Run.h"
#include "ui/ScreenBase.h"

#include <QList>
#include <QStringList>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The drill screen: loads one lesson into a plain working copy, asks its words run after run in
// the chosen direction, judges the answers and keeps the result file of the lesson. The marks
// reach the lesson file only when the user goes back with "Zurück".
class frmPaukomat final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmPaukomat(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;

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

protected:
    bool Form_QueryUnload() override;

private:
    void cmdStartUebung_Click();
    void txtLoesung_KeyPress(int KeyAscii);
    void cmdStopUebung_Click();
    void cmdCancel_Click();
    void cmdShowErgebnis_Click();

    void Naechste_Vokabel();
    void Pruefe_Antwort();
    void Zeige_Aktuell();
    void Zeige_Gesamt();
    void Lies_Gesamt();
    void Speichere_Ergebnis();
    void Uebung_Ende();
    void Setze_Grundzustand();
    void Verlasse_Uebung();

    // Fails the load with a message naming what is missing.
    bool refuseLoad(const QString& text);
    // Stops the run when its copy could not be written; true when it stopped.
    bool stopOnRunCopyFailure();
    [[nodiscard]] store::FileResult lessonFailure(store::FileResult result) const;
    // Replaces the lesson file with these plain lines, scrambled.
    [[nodiscard]] store::FileResult storeLesson(const QStringList& lines) const;

    QString Nutzer;
    QString Sprache;
    QString Lektion;
    QString LektDatei;      // bare file name of the lesson, such as "U4"
    QString Pfad;           // language directory, ending in "/"
    QString LektDateiCrypt; // stored lesson file
    QString Arbeitskopie;   // plain working copy, "tmp" + lesson file name
    QString Laufkopie;      // run copy "tmpUxx"
    QString ErgebnDatei;

    exercise::Direction Richtung = exercise::Direction::ForeignToGerman;
    exercise::Selection WelcheVokabeln = exercise::Selection::Alle;
    bool bAlleVokabeln = false;

    // The working copy's lines, held so that a run moves on by index.
    QStringList m_workingCopy;
    std::unique_ptr<exercise::Run> m_run;

    results::ResultColumn Aktuell;
    results::ResultColumn Gesamt;
    results::ResultColumn m_totalsAtStart;
};
