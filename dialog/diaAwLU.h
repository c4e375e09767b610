#pragma once
// The evaluation dialog of the lab-turnover statistics: the lab invoices of one view
// tab and practice owner, their marks, the sums of the marked rows, and the
// technician ranking; print, export and the call-outs start from here.
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "dialog/LURanking.h"
#include "dialog/LURowEntry.h"
#include "dialog/LUSums.h"
#include "host/gui/ListViewMatrixSort.h"
#include "host/gui/WPFDataSet.h"
#include "host/gui/WPFDataTable.h"
#include "host/gui/WPFGroupBox.h"
#include "host/gui/WPFTKLComboBox.h"
#include "host/gui/WPFTKLListView.h"
#include "host/gui/WPFTKLXceedDataGrid.h"
#include "host/gui/WPFTKTabControl.h"
#include "host/gui/WPFTKTextBlock.h"
#include "host/gui/diaWPFAw.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

class CdiaAwLU : public CdiaWPFAw {
public:
    enum EnViewType : int { kOhneTechnMat = 0, kMitTechnMat = 1 };
    static constexpr int kTabRanking = 7;
    static constexpr int kEndTechniker = 2;  // end code after another technician was chosen
    static constexpr int kProgressAb = 1000; // more records than this show the progress box

    // The dialog keeps its own copy of the accumulator.
    CdiaAwLU(const CLUSum& sum, CStatAccu* pAccu, CWnd* pParent, bool bLabRech, bool bBezahlt,
             bool bFiktiv, bool bStorniert, const CString& strPresetTechniker,
             const CString& strInfo);
    // A caller that no longer needs its rows hands them over instead.
    CdiaAwLU(CLUSum&& sum, CStatAccu* pAccu, CWnd* pParent, bool bLabRech, bool bBezahlt,
             bool bFiktiv, bool bStorniert, const CString& strPresetTechniker,
             const CString& strInfo);
    ~CdiaAwLU() override;

    QWidget* OnInitDialog() override;
    void OnConfig() override;
    void OnPrint() override;
    void OnUnSelect() override;
    void OnCTRL_A() override;
    void OnCTRL_R() override;
    void OnCTRL_T() override;
    CString GetAktuellePatNr() override;
    CString GetAktuellePlanNr();
    CString GetAktPlanDatum(const CString& strPatNr, const CString& strPlanNr);
    // The invoice's amount block of the current view tab.
    CLULabRechLst& GetCLULabRechLstRef(CLULabRech& r);
    void ShowTitel() override;

    // Amount text of a sum (also for the print).
    static CString Format2Nk(const CDBetrag& betrag, char cWaehrung);
    static void FormatTechSums(int nTab, char cWaehrung, CLULabRechLst& s, CLULabRechLst& s5,
                               CLULabRechLst& s7, CLULabRechLst& s16, CLULabRechLst& s19,
                               LUTechTexts& t);

    bool FillDataFromAccu(std::vector<CLULabRech>& vecRecords);
    // Saves the shown view tab as a workbook (the ranking on its tab); with
    // bNurMarkierte the list keeps its marked rows only. False when not saved.
    bool ExportNach(const std::string& strPfadUtf8, bool bNurMarkierte = false);
    // True while the list is being rebuilt; the dialog then takes no new command.
    bool IsListeInArbeit() const { return m_bListeInArbeit; }
    bool IsMitTechnMat() const;
    bool IsValidLineForCall(long nRow) const;
    // List row nRow as one tab-separated line of the print.
    CString BuildFormattedListboxStringForPrinting(int nRow);
    CString m_strLetzterDruck; // print-variable file of the last print, "" when none
    void BerechneSummen();

    // Read by the host after the dialog has closed.
    bool m_bSettingsChanged = false;
    bool m_bTechnikerChanged = false;
    CString m_strTechniker; // the technician chosen in the combo box

    // The dialog's state, public for the host and the tests, as in the host's dialogs.
    CLUSum m_Sum;
    CLUDefault m_Settings;
    int m_nRowCount = 0;
    std::vector<LURowEntry> m_vecRows;
    std::vector<int> m_vecColumnMap; // list column -> matrix column; -1 the check box
    int m_nAktView = -1;
    CWPFMatrix<26> m_matListe;
    CWPFTKLListView m_lvListe;
    CWPFTKLComboBox m_cbMandant;
    CWPFTKLComboBox m_cbTechniker;
    CWPFTKTabControl m_tabArt;
    std::array<CWPFTKTextBlock, 10> m_tbSum;     // "Sum1" .. "Sum10"
    std::array<CWPFTKTextBlock, 12> m_tbTechSum; // "TechSum1" .. "TechSum12"
    CWPFTKTextBlock m_tbSummeUst, m_tbSummeNetto, m_tbSummeGesamt;
    CWPFGroupBox m_gbSummenNormal, m_gbSummenTech, m_gbSummenGesamt;
    CWPFTKLXceedDataGrid m_xgRanking;
    // The technician ranking: the valid technicians, read once at start, and the
    // tables "Ranking1" (technicians) and "Ranking2" (their treaters, related by
    // "Relation5" on "Id") as last filled for the ranking tab; the print and the
    // export read them.
    std::vector<StructLeb> m_vecLeb;
    CWPFDataSet m_dsRanking;
    CWPFDataTable m_dtRanking1, m_dtRanking2;

protected:
    // Shows the settings dialog on m_Settings; returns its end code (99: saved).
    virtual int ShowConfigDialog();
    // The folder of the modules called out to: "" for the program's own module
    // folder; the tests give a folder of recording modules.
    virtual CString ModulOrdner() const;
    // The save dialog of the export: the chosen path, "" when cancelled.
    virtual std::string ChooseExportPath();
    // Opens the folder of a saved export in the desktop's file manager.
    virtual void ShowExportFolder(const std::string& strPfadUtf8);

private:
    void AttachControls();
    void RegisterHandlers();
    void BindControls();
    void CreateRankingTables();
    void FillOwnerAndTechnician();
    void ShowConrols();
    void DefineView(int nView);
    void DoAddTextBlockColumn(const CString& strTitle, int nMatrixCol, TKHorizontalAlignment eAlign,
                              const CString& strToolTip);
    void DoSort(int nMatrixCol, bool bInitial);
    void FillVecLeb(std::vector<StructLeb>& vecLeb);
    CString GetZaLebId(const CString& strPatNr, const CString& strPlanNr);
    void CalcRanking(const std::vector<CLULabRech>& vecRecords,
                     std::vector<StructRanking>& vecRanking, CDBetrag& total);
    void DisplayRanking(std::vector<CLULabRech>& vecRecords);
    bool GetContinueIfNotDisplayStorno(int nMask, const CLULabRech& r) const;
    bool RebuildList(std::vector<CLULabRech>& vecRecords);
    bool BuildRows(std::vector<CLULabRech>& vecRecords, bool bProgress);
    void MeldeAbbruch(long nRecords);
    void DisplaySum(LUSummen& sums);
    void ShowSummen();
    void ApplyMarkChanges(const std::vector<std::pair<int, bool>>& vecBefore);
    void DisableMangelsMasse();
    void DisOrEnableKnoepfe(bool bEnable);
    void DisOrEnableCallFunc(bool bEnable);
    CString GetFirstMdId() const;
    CLULabRech& Record(int nRow) { return m_Sum.m_vecLabRech[m_vecRows[nRow].nIndex]; }
    void DoCheckSession();
    void DoCheckAll();
    void DoUnCheckAll();
    void SetIndexCheck(int nRow);
    void SetCheckIndex(int nRow, bool bMarked);
    void DoCheckIndex(int nRow);
    void StartKfoPlan();
    std::vector<CString> ExportSummen() const;
    bool FrageNurMarkierte(bool& bNurMarkierte);

    void OnOnChangeTklcomboxMd(CWPFRoutedEvent& event);
    void OnOnChangeTklcomboxLeb(CWPFRoutedEvent& event);
    void OnChangeTab(CWPFRoutedEvent& event);
    void OnSelectionChangedListbox(CWPFRoutedEvent& event);
    void OnOnClickCheckTklistboxLu(CWPFRoutedEvent& event);
    void OnHeaderClickList(CWPFRoutedEvent& event);

    CString m_strPresetTechniker;
    CString m_strInfo;
    int m_nMandantIdx = -1;
    bool m_bLabRech, m_bBezahlt, m_bFiktiv, m_bStorniert;
    bool m_bCheckAll = true;
    bool m_bFirstFill = true;
    bool m_bListeInArbeit = false;
    CListViewMatrixSort m_sort;
    LUSummen m_Summen; // of the marked rows, as last shown
};
