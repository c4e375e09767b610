#pragma once
// The workbook export of the lab-turnover dialog: the list of a view tab with its
// sums row, or the technician ranking with each technician's treaters. The cells
// come from the texts the dialog shows, not from the invoices.
#include "host/CString.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class CWorksheet;
class CWPFMatrixBase;
class CWPFDataTable;

// The four styles of the sheet, as indices of the workbook.
struct LUExportStyles {
    std::size_t nUeberschrift = 0; // headings: bold
    std::size_t nText = 0;
    std::size_t nDatum = 0;
    std::size_t nBetrag = 0; // money
};

// What the list export reads from the dialog.
struct LUExportListe {
    const CWPFMatrixBase* pMatrix = nullptr;                    // the list matrix, in list order
    bool bBezahlt = false, bFiktiv = false, bStorniert = false; // the dialog's modes
    bool bMitPatName = false;
    int nLabRechDatumIdx = 0; // 0 invoice date, 1 print date
    bool bStornoLabRech = false;
    bool bMitTechnMat = false; // the dialog shows its technical-material layout
    // The texts of the sum fields, one per amount column (ten or thirteen).
    std::vector<CString> vecSummen;
    bool bNurMarkierte = false; // only rows whose check box is set
};

// The columns of the list export, chosen by the modes and settings.
struct LUExportLayout {
    bool bPlanSpalten = false;
    bool bTechnMat = false;
    CString strDatumTitel;
    std::vector<CString> vecBetragTitel;
    std::vector<int> vecBetragSpalten; // matrix columns, same order as the titles
    CString strStornoTitel;            // "" without a cancellation column
    int nStornoSpalte = -1;
    int nTextSpalten = 0; // counted for the sums row: 1, +1 name, +3 plan columns
};
LUExportLayout LUExportLayoutFuer(const LUExportListe& liste);

// The number of amount columns and the sum-field order of the dialog's two layouts.
constexpr std::size_t kLUExportSummenNormal = 10;
constexpr std::size_t kLUExportSummenTechnMat = 13;

// Writes headings, rows and the sums row of the list.
void WriteLUListe(CWorksheet& sheet, const LUExportStyles& styles, const LUExportListe& liste);

// One line of the ranking: position, name, the three amounts and the share.
struct LURankingZeile {
    CString strFolge, strName, strTechnLst, strLabor, strGesamt, strProz;
};
// A technician with the treaters that follow it.
struct LURankingBlock {
    LURankingZeile techniker;
    std::vector<LURankingZeile> vecBehandler;
};
// The ranking blocks from the ranking's two tables ("Ranking1" technicians,
// "Ranking2" treaters, joined by "Id"), in table order.
std::vector<LURankingBlock> LURankingAusTabellen(const CWPFDataTable& dtTechniker,
                                                 const CWPFDataTable& dtBehandler);
void WriteLURanking(CWorksheet& sheet, const LUExportStyles& styles,
                    const std::vector<LURankingBlock>& vecBlocks);

// Creates the workbook with its sheet and styles, lets fnFill write the sheet
// and saves it under strPathUtf8. False when anything failed; no file then
// stands under the name (an older one stays as it was).
bool SaveLUWorkbook(const std::string& strPathUtf8,
                    const std::function<void(CWorksheet&, const LUExportStyles&)>& fnFill);

// The messages after a save.
CString LUExportGespeichertText(const CString& strPfad);
CString LUExportFehlerText(const CString& strPfad);
