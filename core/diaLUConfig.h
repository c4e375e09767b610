#pragma once
// The settings dialog of the lab-turnover statistics: edits a CLUDefault and, on
// saving, writes it to the parameter pool and ends with kEndGespeichert. Which
// options are offered depends on how lab invoices are selected ("ListeInit") and,
// for lab invoices, on the date that selects them ("SelDatum").
#include "host/CString.h"
#include "host/gui/WPFMatrix.h"
#include "host/gui/WPFRoutedEvent.h"
#include "host/gui/WPFTKCheckBox.h"
#include "host/gui/WPFTKLComboBox.h"
#include "host/gui/WPFVxDialog.h"

class CLUDefault;

class CdiaLUConfig : public CWPFVxDialog {
public:
    static constexpr int kEndGespeichert = 99; // end code after saving

    // pLUDefault is edited in place, and only when the user saves; not owned.
    CdiaLUConfig(CLUDefault* pLUDefault, CWnd* pParent);

    QWidget* OnInitDialog() override;
    void OnSaveAndExit() override;
    void OnExit() override;

    void ReadData();
    void WriteData();

    // The control rules; the event-less forms serve the initialisation and the
    // handlers among themselves.
    void OnChangeCbLstRechInit();
    void OnChangeCbLabrechdatum();
    void OnClickChkStornoLabRech();
    void OnClickChkMitTechnMat();
    void OnChangeCbLstRechInit(CWPFRoutedEvent&);
    void OnChangeCbLabrechdatum(CWPFRoutedEvent&);
    void OnClickChkStornoLabRech(CWPFRoutedEvent&);
    void OnClickChkMitTechnMat(CWPFRoutedEvent&);

    CLUDefault* m_pLUDefault;
    // The matrices outlive the combo boxes bound to them: a matrix empties its views
    // when it goes, and a combo box still connected would call its handler on a
    // dialog half torn down.
    CWPFMatrix<2> m_matListeInit; // key "0".."4", text from the host's string resources
    CWPFMatrix<1> m_matSelDatum;  // the date entries of the layout
    CWPFTKCheckBox m_chkMitName;
    CWPFTKLComboBox m_cbListeInit;
    CWPFTKLComboBox m_cbSelDatum;
    CWPFTKCheckBox m_chkOhneMaterial;
    CWPFTKCheckBox m_chkRechNr;
    CWPFTKCheckBox m_chkStorno;
    CWPFTKCheckBox m_chkStornoTypYes;  // type -1, mask bit 1
    CWPFTKCheckBox m_chkStornoTypZero; // type 0, mask bit 2
    CWPFTKCheckBox m_chkStornoTypNo;   // type 1, mask bit 4
    CWPFTKCheckBox m_chkMitTechMat;
    CWPFTKCheckBox m_chkMit100PoEA;
    CWPFTKCheckBox m_chkStetsLstDatum;
    CWPFTKCheckBox m_chkMitFestzGeEA;
    CWPFTKCheckBox m_chkFortlRgNr;
    bool m_bBusy = false; // handlers ignore the selections made by code while set

private:
    void AttachControls();
    void AttachHandlers();
    void FillListeInit();
    bool StornoOhneTyp() const;
};
