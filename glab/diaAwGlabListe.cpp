// The list of the commercial-lab dialog: its columns and rows, sorting, the
// selection and the edit command into the commercial-lab program.
#include "glab/diaAwGlab.h"

#include "host/LibraryCall.h"
#include "host/ModulEinstiege.h"
#include "host/TextUtil.h"

#include <utility>

namespace {

struct GlabColumn {
    const char* szTitel;
    GlabListCol nCol;
    TKHorizontalAlignment eAlign;
    const char* szToolTip;
};

constexpr GlabColumn kColumns[] = {
    {"Datum", kGlabColDatum, TKLeft, "Datum der Kundenrechnung"},
    {"Kd.-Nr.", kGlabColLabKu, TKRight, "Nummer des Laborkunden"},
    {"Laborkunde", kGlabColName, TKLeft, ""},
    {"Rng.-Nr.", kGlabColRechNr, TKRight, "Nummer der Kundenrechnung"},
    {"Anz. Rng.", kGlabColAnzRech, TKRight, "Anzahl der Rechnungen in der Kundenrechnung"},
    {"Techn.Lst", kGlabColTechnLst, TKRight, "Technische Leistungen"},
    {"Material", kGlabColMaterial, TKRight, ""},
    {"Metall", kGlabColMetall, TKRight, ""},
    {"Ust", kGlabColMwSt, TKRight, "Umsatzsteuer"},
    {"Netto", kGlabColNetto, TKRight, ""},
    {"Gesamt", kGlabColBrutto, TKRight, "Brutto"},
};

CString Zelle(const CVzW7Betrag& betrag) {
    return betrag.ToExt(5, true);
}

} // namespace

// List column n shows matrix column n, so a header click names the matrix column.
void CdiaAwGlab::DefineColumns() {
    m_lvListe.ClearColumns();
    m_lvListe.AddCheckBoxColumn("", kGlabColCheck, "Markiert: z\xE4hlt in den Summen");
    for (const GlabColumn& col : kColumns)
        m_lvListe.AddTextBlockColumn(col.szTitel, col.nCol, col.eAlign, col.szToolTip);
}

// Every fill ends with all rows checked.
void CdiaAwGlab::FillDataFromAccu(std::vector<CGlabFakt>& vecFakt) {
    m_matListe.Clear();
    for (std::size_t i = 0; i < vecFakt.size(); ++i) {
        const CGlabFakt& f = vecFakt[i];
        auto row = m_matListe[m_matListe.DoAdd()];
        row[kGlabColCheck] = "False";
        row[kGlabColDatum] = Db2Date(f.m_strDatum);
        row[kGlabColLabKu] = f.m_strLabKu;
        row[kGlabColName] = KundenName(f.m_strLabKu);
        row[kGlabColRechNr] = f.m_strRechNr;
        row[kGlabColAnzRech] = f.m_strAnzRech;
        row[kGlabColTechnLst] = Zelle(f.m_TechnLst);
        row[kGlabColMaterial] = Zelle(f.m_Material);
        row[kGlabColMetall] = Zelle(f.m_Metall);
        row[kGlabColMwSt] = Zelle(f.m_MwSt);
        row[kGlabColNetto] = Zelle(f.m_Netto);
        row[kGlabColBrutto] = Zelle(f.m_Brutto);
        if (f.m_bStorno) row[kGlabColVordergrund] = kFarbeStorno;
        row[kGlabColIndex] = itoc(static_cast<long long>(i));
    }
    // Table and records are parallel now; the sort keeps them so.
    m_Sort.SetVectorIndizesToMatrix();
    if (!vecFakt.empty()) {
        m_lvListe.AutoSizeGridViewColumns();
        SetIsEnabled(TKAlleMarkieren, true);
        CheckByVec();
        DoSort(kGlabColDatum, true);
        m_lvListe.SetSelectedIndex(0);
    } else {
        SetIsEnabled(TKBearbeiten, false);
        SetIsEnabled(TKAlleMarkieren, false);
        SetIsEnabled(TKDrucken, false);
        SetIsEnabled(TKZeileGewaehlt, false);
    }
    CheckAll();
    m_tbAnzTreffer.SetText(itoc(static_cast<long long>(vecFakt.size())));
    GetGesWerte();
}

void CdiaAwGlab::DoSort(int nCol, bool bInitial) {
    if (nCol <= 0) return;
    if (bInitial)
        m_Sort.SortMatrix(nCol, true, -1, true);
    else
        m_Sort.SortMatrixForClickedHeader(nCol);
    m_Sort.SortVectorLikeMatrix(
        [this](int a, int b) { std::swap(m_Sum.m_vecFakt[a], m_Sum.m_vecFakt[b]); });
}

void CdiaAwGlab::OnHeaderClickedErgebnis(CWPFRoutedEvent& event) {
    const int nCol = event.GetGridViewColumnHeaderClickCol();
    if (nCol >= 1) DoSort(nCol, false);
}

bool CdiaAwGlab::IsValidRow(int nRow) const {
    return nRow >= 0 && nRow < m_matListe.Count() &&
           nRow < static_cast<int>(m_Sum.m_vecFakt.size());
}

// Edit only for an invoice that is not cancelled.
void CdiaAwGlab::OnSelectionChangedErgebnis(CWPFRoutedEvent&) {
    const int nRow = m_lvListe.GetSelectedIndex();
    if (!IsValidRow(nRow)) {
        SetIsEnabled(TKBearbeiten, false);
        SetIsEnabled(TKZeileGewaehlt, false);
        return;
    }
    SetIsEnabled(TKBearbeiten, m_matListe.GetValue(nRow, kGlabColVordergrund).empty());
    SetIsEnabled(TKZeileGewaehlt, true);
}

CString CdiaAwGlab::ModulOrdner() const {
    return {};
}

// Opens the selected customer invoice in the commercial-lab program.
void CdiaAwGlab::OnBearbeiten() {
    const int nRow = m_lvListe.GetSelectedIndex();
    if (!GetIsEnabled(TKBearbeiten) || !IsValidRow(nRow)) return;
    const CGlabFakt& f = m_Sum.m_vecFakt[nRow];
    CLibraryCall modul(kModulGewerbelabor, ModulOrdner());
    if (auto* pStart = modul.Find<StartGlabRechJournalFn>(kEinstiegGlabJournal))
        pStart(f.m_strLabKu, f.m_strRechNr, f.m_strInfo3, f.m_strInfo5);
}
