#pragma once
// The evaluation dialog of the commercial-lab statistics: one row per customer
// invoice with its check mark, the counts and the totals of the checked rows, a
// lab-customer and a cancellation filter, sorting by column, and the commands
// edit (the invoice in the commercial-lab program), print (the journal), chart
// and check all / none.
#include "glab/GlabChartItem.h"
#include "glab/GlabSum.h"
#include "host/gui/ListViewMatrixSort.h"
#include "host/gui/WPFTKLComboBox.h"
#include "host/gui/WPFTKLListView.h"
#include "host/gui/WPFTKTextBlock.h"
#include "host/gui/diaWPFAw.h"

#include <memory>
#include <string>
#include <vector>

class CGlab2Grafik;

// Columns of the list table.
enum GlabListCol : int {
    kGlabColCheck = 0,
    kGlabColDatum,
    kGlabColLabKu,
    kGlabColName,
    kGlabColRechNr,
    kGlabColAnzRech,
    kGlabColTechnLst,
    kGlabColMaterial,
    kGlabColMetall,
    kGlabColMwSt,
    kGlabColNetto,
    kGlabColBrutto,
    kGlabColHintergrund,
    kGlabColVordergrund, // "48" for a cancelled invoice
    kGlabColIndex,       // position in the displayed list at fill time
    kGlabListCols
};

// Rows of the cancellation filter.
enum GlabStornoFilter : int { kNurStornierte = 0, kOhneStornierte = 1, kAlleRechnungen = 2 };

class CdiaAwGlab : public CdiaWPFAw {
public:
    static constexpr const char* kFarbeStorno = "48";
    static constexpr const char* kTitel = "Gewerbelaborstatistik"; // caption of messages

    // The dialog keeps its own copy of the accumulator. strLabKu: the customer
    // the evaluation was run for, "" for all.
    CdiaAwGlab(CGlabSum& sum, CStatAccu* pAccu, CString strLabKu, CWnd* pParent);
    ~CdiaAwGlab() override;

    QWidget* OnInitDialog() override;
    void OnBearbeiten() override;
    void OnPrint() override;
    void OnCTRL_Y() override;
    void OnUnSelect() override;

    void OnSelectionChangedErgebnis(CWPFRoutedEvent& event);
    void OnClickErgebnis(CWPFRoutedEvent& event);
    void OnHeaderClickedErgebnis(CWPFRoutedEvent& event);
    void OnChangeLabKu(CWPFRoutedEvent& event);
    void OnChangeStorno(CWPFRoutedEvent& event);

    void FillDataFromAccu(std::vector<CGlabFakt>& vecFakt);
    void FillLabKu();
    void SetDefaults();
    void ChangeView();
    void CheckAll();
    void UnCheckAll();
    void CheckByVec();
    void GetCheckedRecs();
    CString GetSelectedRecs();
    void GetGesWerte();
    void SetCheck(int nRow, bool bState);
    void DoCheck(int nRow);
    void DoCheckInSaveVec(CGlabFakt& fakt, bool bState);
    // Appends the journal line of list row nRow.
    void GetLine2Print(CString& strLine, const int& nRow);

    // The chart's items from the customer combo with their values; false when
    // the user cancelled while they were collected.
    bool CollectChartItems(std::vector<CGlabChartItem>& vecItems);
    // "Gewerbelaborstatistik vom <from> bis <to>".
    CString GetStatistikTitel() const;
    // The chart of the chart command saved as a PNG without a window; false with a
    // German strError (also when the user cancelled).
    bool SaveChartPng(const std::string& strPath, CString& strError);

    // The dialog's state, public for the host and the tests, as in the host's dialogs.
    CGlabSum m_Sum;
    CString m_strLabKu;
    bool m_bAllChecked = true;
    // The tables before the controls that show them: the controls go first.
    CWPFMatrix<kGlabListCols> m_matListe;
    CWPFMatrix<3> m_matLabKu; // number, display text, name
    CWPFMatrix<1> m_matStorno;
    CWPFTKLListView m_lvListe;
    CWPFTKTextBlock m_tbAnzTreffer, m_tbAnzSelektiert;
    CWPFTKTextBlock m_tbSumTech, m_tbSumUSt, m_tbSumNetto, m_tbSumMetall, m_tbSumBrutto,
        m_tbSumMaterial;
    CWPFTKLComboBox m_cbLaborkunde, m_cbStorno;
    CGlabSum m_SumChart;
    bool m_bInInit = false;
    CListViewMatrixSort m_Sort;
    CGlab2Grafik* m_pGrafik = nullptr; // the chart while the chart command shows it
    CString m_strLetzterDruck;         // journal file of the last print handed on, "" none

protected:
    void DoSort(int nCol, bool bInitial);
    // The folder of the modules called out to: "" for the program's own module
    // folder; the tests give a folder of recording modules.
    virtual CString ModulOrdner() const;
    // Shows the chart modally; a test looks at its rows instead.
    virtual void ShowGrafik(CGlab2Grafik& grafik);

private:
    std::unique_ptr<CGlab2Grafik> BuildGrafik();
    void AttachControls();
    void RegisterHandlers();
    void BindControls();
    void DefineColumns();
    void FillStornoItems();
    void AddLabKuRow(const CString& strKuNr, const CString& strAdrId);
    CString KundenText(const CString& strKuNr) const;
    CString KundenName(const CString& strKuNr) const;
    void ShowAnzSelektiert();
    bool IsValidRow(int nRow) const;
    enum class JournalStand { Geschrieben, Fehler, Abgebrochen };
    JournalStand WriteJournal(const CString& strPath, bool bPrintAll);
};
