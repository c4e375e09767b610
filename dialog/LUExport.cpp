#include "dialog/LUExport.h"

#include "host/Cp1252.h"
#include "host/gui/WPFDataRow.h"
#include "host/gui/WPFDataTable.h"
#include "host/gui/WPFMatrixBase.h"
#include "host/xlsx/Workbook.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace {

constexpr int kColMarkiert = 0;
constexpr int kColDatum = 2;
constexpr int kColPatNr = 3;
constexpr int kColName = 4;
constexpr int kSpalten = 19; // columns 0 .. 18 get the same width
constexpr double kSpaltenBreite = 20.0;

struct Betragsspalte {
    const char* szTitel;
    int nMatrixCol;
};

constexpr Betragsspalte kNormal[] = {
    {"Techn.Lst.", 8}, {"Material", 11}, {"Metall", 13},   {"USt.5%", 17}, {"USt.7%", 18},
    {"USt.16%", 19},   {"USt.19%", 20},  {"USt.ges.", 21}, {"Netto", 22},  {"Gesamt", 23}};

constexpr Betragsspalte kTechnMat[] = {{"Techn.Lst. m.Ust.", 8},
                                       {"Techn.Lst. frei", 9},
                                       {"Metall", 13},
                                       {"Techn.Mat.", 11},
                                       {"Prax.Mat.", 12},
                                       {"7/5%Techn.Lst.", 14},
                                       {"7/5%Metall", 15},
                                       {"7/5%Techn.Mat.", 16},
                                       {"USt.7/5%", 17},
                                       {"USt.19/16%", 19},
                                       {"USt.ges.", 20},
                                       {"Netto", 21},
                                       {"Gesamt", 22}};

CString DatumTitel(const LUExportListe& liste, bool bTechnMat) {
    if (liste.bStorniert || liste.bFiktiv) return "Rng.-Datum";
    if (liste.bBezahlt) return "Zahl.-Datum";
    if (liste.nLabRechDatumIdx == 1) return "Druckdatum";
    if (bTechnMat) return "Rng.-Datum";
    return "Datum";
}

void WriteHeadings(CWorksheet& sheet, const LUExportStyles& styles, const LUExportListe& liste,
                   const LUExportLayout& layout) {
    sheet.BeginRow(0.0);
    sheet.AddCell(layout.strDatumTitel, styles.nUeberschrift);
    sheet.AddCell("Pat.-Nr.", styles.nUeberschrift);
    if (liste.bMitPatName) sheet.AddCell("Name", styles.nUeberschrift);
    if (layout.bPlanSpalten)
        for (const char* szTitel : {"PlanNr", "Planart", "Rechn.-Nr."})
            sheet.AddCell(szTitel, styles.nUeberschrift);
    for (const CString& strTitel : layout.vecBetragTitel)
        sheet.AddCell(strTitel, styles.nUeberschrift);
    if (!layout.strStornoTitel.empty()) sheet.AddCell(layout.strStornoTitel, styles.nUeberschrift);
    sheet.EndRow();
}

void WriteEmptyRow(CWorksheet& sheet) {
    sheet.BeginRow(0.0);
    sheet.EndRow();
}

void WriteRow(CWorksheet& sheet, const LUExportStyles& styles, const LUExportListe& liste,
              const LUExportLayout& layout, int nRow) {
    const CWPFMatrixBase& mat = *liste.pMatrix;
    sheet.BeginRow(0.0);
    sheet.AddCell(mat.GetValue(nRow, kColDatum), styles.nDatum);
    sheet.AddCell(mat.GetValue(nRow, kColPatNr), styles.nText);
    if (liste.bMitPatName) sheet.AddCell(mat.GetValue(nRow, kColName), styles.nText);
    if (layout.bPlanSpalten)
        for (int nCol : {5, 6, 7})
            sheet.AddCell(mat.GetValue(nRow, nCol), styles.nText);
    for (int nCol : layout.vecBetragSpalten)
        sheet.AddCellFloat(mat.GetValue(nRow, nCol), styles.nBetrag);
    if (layout.nStornoSpalte >= 0)
        sheet.AddCell(mat.GetValue(nRow, layout.nStornoSpalte), styles.nDatum);
    sheet.EndRow();
}

// The title spans the text columns; the sums stand under their amount columns.
void WriteSums(CWorksheet& sheet, const LUExportStyles& styles, const LUExportListe& liste,
               const LUExportLayout& layout) {
    const std::uint32_t nRow = sheet.CurrentRow();
    sheet.BeginRow(0.0);
    sheet.AddCell("Gesamtsummen (markierte Laborums\xE4tze)", styles.nUeberschrift);
    sheet.AddEmptyCells(layout.nTextSpalten);
    for (std::size_t n = 0; n < layout.vecBetragSpalten.size(); ++n)
        sheet.AddCellFloat(n < liste.vecSummen.size() ? liste.vecSummen[n] : CString(),
                           styles.nBetrag);
    sheet.EndRow();
    sheet.MergeCells({nRow, 0}, {nRow, static_cast<std::uint32_t>(layout.nTextSpalten)});
}

// The ranking's shares are shown with a decimal point ("12.50"), while the sheet
// reads displayed numbers the German way, where a point separates thousands.
CString ProzentZahlText(CString strProz) {
    std::replace(strProz.begin(), strProz.end(), '.', ',');
    return strProz;
}

void WriteRankingZeile(CWorksheet& sheet, const LUExportStyles& styles, const LURankingZeile& z) {
    sheet.BeginRow(0.0);
    sheet.AddCellInt(std::atoll(z.strFolge.c_str()), styles.nText);
    sheet.AddCell(z.strName, styles.nText);
    sheet.AddCellFloat(z.strTechnLst, styles.nBetrag);
    sheet.AddCellFloat(z.strLabor, styles.nBetrag);
    sheet.AddCellFloat(z.strGesamt, styles.nBetrag);
    sheet.AddCellFloat(ProzentZahlText(z.strProz), styles.nText);
    sheet.EndRow();
}

void WriteRankingTitel(CWorksheet& sheet, const LUExportStyles& styles, const char* szName,
                       const char* szProz) {
    sheet.BeginRow(0.0);
    for (const char* szTitel : {"Folge", szName, "Techn. Lst.", "PM + Labor", "Gesamt", szProz})
        sheet.AddCell(szTitel, styles.nUeberschrift);
    sheet.EndRow();
}

LURankingZeile ZeileAus(const CWPFDataRow& row) {
    return {row["Folge"], row["Name"], row["TechnLst"], row["Labor"], row["Gesamt"], row["Proz"]};
}

} // namespace

LUExportLayout LUExportLayoutFuer(const LUExportListe& liste) {
    LUExportLayout layout;
    layout.bPlanSpalten = liste.bStorniert || !liste.bFiktiv;
    layout.bTechnMat = !liste.bStorniert && !liste.bFiktiv && !liste.bBezahlt &&
                       liste.nLabRechDatumIdx != 1 && liste.bMitTechnMat;
    layout.strDatumTitel = DatumTitel(liste, layout.bTechnMat);
    if (layout.bTechnMat) {
        for (const Betragsspalte& s : kTechnMat) {
            layout.vecBetragTitel.push_back(s.szTitel);
            layout.vecBetragSpalten.push_back(s.nMatrixCol);
        }
    } else {
        for (const Betragsspalte& s : kNormal) {
            layout.vecBetragTitel.push_back(s.szTitel);
            layout.vecBetragSpalten.push_back(s.nMatrixCol);
        }
    }
    if (liste.bStorniert)
        layout.strStornoTitel = "Stornod.";
    else if (liste.bStornoLabRech)
        layout.strStornoTitel = "Stornodatum";
    if (!layout.strStornoTitel.empty()) layout.nStornoSpalte = layout.bTechnMat ? 23 : 24;
    layout.nTextSpalten = 1 + (liste.bMitPatName ? 1 : 0) + (layout.bPlanSpalten ? 3 : 0);
    return layout;
}

void WriteLUListe(CWorksheet& sheet, const LUExportStyles& styles, const LUExportListe& liste) {
    const LUExportLayout layout = LUExportLayoutFuer(liste);
    WriteHeadings(sheet, styles, liste, layout);
    WriteEmptyRow(sheet);
    const int nRows = liste.pMatrix ? liste.pMatrix->Count() : 0;
    for (int nRow = 0; nRow < nRows; ++nRow) {
        if (liste.bNurMarkierte && liste.pMatrix->GetValue(nRow, kColMarkiert) != "True") continue;
        WriteRow(sheet, styles, liste, layout, nRow);
    }
    WriteEmptyRow(sheet);
    WriteSums(sheet, styles, liste, layout);
}

std::vector<LURankingBlock> LURankingAusTabellen(const CWPFDataTable& dtTechniker,
                                                 const CWPFDataTable& dtBehandler) {
    std::vector<LURankingBlock> vecBlocks;
    std::vector<const CWPFDataRow*> vecRows;
    for (int n = 0; n < dtTechniker.GetRowCount(); ++n) {
        const CWPFDataRow& techniker = dtTechniker.GetRow(n);
        LURankingBlock block{ZeileAus(techniker), {}};
        dtBehandler.Select(vecRows, "Id='" + techniker["Id"] + "'", "");
        for (const CWPFDataRow* pRow : vecRows)
            block.vecBehandler.push_back(ZeileAus(*pRow));
        vecBlocks.push_back(std::move(block));
    }
    return vecBlocks;
}

void WriteLURanking(CWorksheet& sheet, const LUExportStyles& styles,
                    const std::vector<LURankingBlock>& vecBlocks) {
    WriteRankingTitel(sheet, styles, "Techniker(in)", "Praxis-%");
    for (const LURankingBlock& block : vecBlocks) {
        WriteEmptyRow(sheet);
        WriteRankingZeile(sheet, styles, block.techniker);
        WriteRankingTitel(sheet, styles, "Behandler", "LE-%");
        for (const LURankingZeile& z : block.vecBehandler)
            WriteRankingZeile(sheet, styles, z);
    }
}

bool SaveLUWorkbook(const std::string& strPathUtf8,
                    const std::function<void(CWorksheet&, const LUExportStyles&)>& fnFill) {
    try {
        CWorkbook book("Vx");
        std::vector<ColumnWidth> vecWidths;
        for (int nCol = 0; nCol < kSpalten; ++nCol)
            vecWidths.push_back({nCol, kSpaltenBreite});
        CWorksheet* pSheet = book.AddSheet("Laborstatistik", vecWidths);
        if (!pSheet) return false;
        LUExportStyles styles;
        styles.nUeberschrift = book.AddStyle({true, kAlignHLeft, kNumStyleGeneral, 0});
        styles.nText = book.AddStyle({false, kAlignHLeft, kNumStyleGeneral, 0});
        styles.nDatum = book.AddStyle({false, kAlignHLeft, kNumStyleDate, 0});
        styles.nBetrag = book.AddStyle({false, kAlignHNone, kNumStyleMoney, 1});
        fnFill(*pSheet, styles);
        return book.Save(strPathUtf8);
    } catch (const std::exception&) {
        return false; // out of memory while building: counts as not saved
    }
}

CString LUExportGespeichertText(const CString& strPfad) {
    return "Die Daten wurden als Excel-Datei\n\n" + strPfad + "\n\ngespeichert.";
}

CString LUExportFehlerText(const CString& strPfad) {
    return "Fehler beim Speichern der Datei:\n\n" + strPfad;
}
