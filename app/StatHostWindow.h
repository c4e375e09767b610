#pragma once
// The statistics host window ("vxstat" without a command): the practice chooses
// the evaluation, the period and the selection, runs the database pass
// ("Aufbereiten") and opens the evaluation of the last hit file ("Anzeigen"). The
// practice database and the data folder are chosen once and remembered per user
// with the last choices (StatHostChoices).
#include "app/StatHostChoices.h"
#include "app/StatHostGlabShow.h"
#include "app/StatHostHitInfo.h"
#include "app/StatHostPeriod.h"
#include "app/StatHostRequest.h"
#include "host/gui/GuiWnd.h"

#include <QDialog>
#include <functional>
#include <string>

class CdiaAwLU;
class CdiaLUConfig;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CStatHostWindow : public QDialog {
public:
    // heute: the day the period presets are counted from.
    explicit CStatHostWindow(const StatDatum& heute);
    ~CStatHostWindow() override;

    // The choices of the window as a pass request.
    StatHostRequest Request() const;
    StatAuswertung Auswertung() const;

    // The commands of the buttons; each tells the user in German what went wrong.
    // Opens the database named in the location field; bMelden: also in a message box.
    bool OpenDatabase(bool bMelden = true);
    bool Aufbereiten();   // runs the pass of the chosen evaluation
    bool Anzeigen();      // shows the evaluation of the last hit file
    bool Einstellungen(); // the lab-turnover settings dialog; true after saving
    void SetPreset(StatPreset ePreset);
    void SetDatenordner(const QString& strDir);
    void RefreshHitInfo(); // reads the last hit file of the chosen evaluation
    void SaveChoices();

    // How the dialogs are shown: DoModal / exec in the program, driven in tests.
    std::function<void(CdiaAwLU&)> m_fnLuShow;
    GlabShowFn m_fnGlabShow;
    std::function<int(CdiaLUConfig&)> m_fnConfigShow;

    // The window's elements, named as their captions say.
    QLineEdit* m_pDatenbank = nullptr;
    QPushButton* m_pDatenbankWaehlen = nullptr;
    QLineEdit* m_pDatenordner = nullptr;
    QPushButton* m_pOrdnerWaehlen = nullptr;
    QComboBox* m_pAuswertung = nullptr;
    QComboBox* m_pZeitraum = nullptr; // the presets, then "eigener Zeitraum"
    QDateEdit* m_pAb = nullptr;
    QDateEdit* m_pBis = nullptr;
    QComboBox* m_pMandant = nullptr;    // item data: owner id, "" for all
    QComboBox* m_pListe = nullptr;      // index = entry of the settings' selection list
    QComboBox* m_pLaborkunde = nullptr; // item data: customer number or "alle"
    QLabel* m_pStand = nullptr;
    QLabel* m_pAuswahl = nullptr;
    QPlainTextEdit* m_pFehler = nullptr; // the errors of the last run, to read and copy
    QLabel* m_pMeldung = nullptr;        // the outcome of the last command
    QPushButton* m_pAufbereiten = nullptr;
    QPushButton* m_pAnzeigen = nullptr;
    QPushButton* m_pEinstellungen = nullptr;
    QPushButton* m_pSchliessen = nullptr;
    StatHitInfo m_hitInfo; // of the chosen evaluation, as last read

protected:
    void done(int nResult) override;

private:
    // The window as parent of the module's dialogs.
    class CParent : public CWnd {
    public:
        explicit CParent(QWidget* p) : m_p(p) {}
        QWidget* GetQWidget() const override { return m_p; }

    private:
        QWidget* m_p;
    };

    QWidget* BuildDatenbank();
    QGroupBox* BuildAuswahl();
    QGroupBox* BuildLetzterLauf();
    QWidget* BuildKnoepfe();
    void Connect();
    void ApplyChoices();
    void FillMandanten(const QString& strGewaehlt);
    void FillLaborkunden(const QString& strGewaehlt);
    void OnAuswertungChanged();
    void OnDatumChanged();
    void UpdateDefaultButton();
    bool DatenbankBereit();
    void Melde(const CString& strText);

    StatDatum m_heute;
    CParent m_parent;
    StatHostChoices m_gemerkt; // as loaded and last saved
    std::string m_strOffen;    // location of the open practice database, "" none
    bool m_bFuelle = false;    // set while code fills the fields: no reaction to them
};
