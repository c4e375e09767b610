#include "print/PrintLU.h"

#include "core/LUDefault.h"
#include "dialog/Format2Nk.h"
#include "dialog/LUTabStops.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/gui/WPFDataRow.h"
#include "host/gui/WPFDataTable.h"
#include "host/print/PrintFile.h"
#include "host/print/PrintVarFile.h"
#include "host/stat/StatAccu.h"
#include "print/LUPrintTabs.h"

#include <vector>

namespace {

constexpr double kSizeValue = 5.5;

// The list view's tables have the same shape as the print's.
CString ListTabs(const LUTabStop* pTable) {
    std::vector<AbsTab> vecTabs;
    for (const LUTabStop* p = pTable; p->szAlign; ++p)
        vecTabs.push_back({p->szAlign, p->szWidth});
    vecTabs.push_back({nullptr, nullptr});
    return MakeAbsTabs(vecTabs.data());
}

const char* const kViewZusatz[] = {"",
                                   " (mit USt.)",
                                   " (ohne USt.)",
                                   " (mit 5% USt.)",
                                   " (mit 7% USt.)",
                                   " (mit 16% USt.)",
                                   " (mit 19% USt.)"};

// Ranking fields: widths and alignment of the six columns and the gaps between them.
struct RankingFeld {
    int nBreite;
    bool bRechts;
};
constexpr RankingFeld kRankingFelder[11] = {{5, true},  {2, false}, {43, false}, {1, false},
                                            {14, true}, {1, false}, {14, true},  {1, false},
                                            {14, true}, {2, false}, {8, true}};

CString JoinRanking(const CString (&texte)[6]) {
    CString strLine;
    for (int n = 0; n < 11; ++n) {
        const CString strText = n % 2 == 0 ? texte[n / 2] : CString();
        const RankingFeld& f = kRankingFelder[n];
        strLine += f.bRechts ? RightFix(strText, f.nBreite) : LeftFix(strText, f.nBreite);
    }
    return strLine;
}

// A display date "31.01.2024" in the eight characters of the first cell: "31.01.24".
CString KurzDatum(const CString& strDatum) {
    if (strDatum.size() == 10 && strDatum[2] == '.' && strDatum[5] == '.')
        return strDatum.substr(0, 6) + strDatum.substr(8);
    return strDatum;
}

} // namespace

CPrintLU::CPrintLU(const CLUSum& sum, CWPFMatrix<2>* pLines, const std::vector<LURowEntry>& vecRows,
                   CStatAccu* pAccu, CWnd* pParent, const CLUDefault* pSettings, bool bLabRech,
                   bool bBezahlt, bool bFiktiv, bool bStorniert)
    : CStatPrint(pLines, pParent), m_Sum(sum), m_pAccu(pAccu), m_vecRows(vecRows),
      m_pSettings(pSettings), m_bLabRech(bLabRech), m_bBezahlt(bBezahlt), m_bFiktiv(bFiktiv),
      m_bStorniert(bStorniert), m_bMitPatName(pSettings->GetMitPatName()),
      m_bOhneMaterial(pSettings->GetOhneMaterial()),
      m_nLabRechDatumIdx(pSettings->GetLabRechDatumIdx()),
      m_bTechnMat(bLabRech && !bBezahlt && !bFiktiv && !bStorniert &&
                  pSettings->GetLabRechDatumIdx() == 0 && pSettings->GetMitTechnMat()) {
    m_nFormNr = kFormListe;
    m_dSize = kSizeValue;
    if (m_bTechnMat) m_nLineWidth = kLUFesteBreite;
}

CString CPrintLU::GetPrintLine(const CString& strTabs, const CString& strLine) {
    const bool bKopf = strTabs == GetDruckTabs();
    if (!m_bTechnMat) return bKopf ? strLine : LUDruckSpalten(strLine, m_bFiktiv);
    if (bKopf)
        return LUFesteZeile({"Datum", "", "Patient", "Plan", "Rechnung", "T.Lst/7/5%", "T.Lst.frei",
                             "Met./7/5%", "T.Mat/7/5%", "Prax.Mat", "USt.5%", "USt.7%", "USt.16%",
                             "USt.19%", "USt.ges.", "Netto", "Gesamt"});
    m_strLetzteZeile = strLine;
    const std::vector<CString> f = LUTextFelder(strLine);
    return LUFesteZeile({KurzDatum(f[0]), f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], "",
                         "", "", "", "", f[18], f[19]});
}

bool CPrintLU::ZusatzZeile(int, CString& strLine) {
    if (!m_bTechnMat) return false;
    const std::vector<CString> f = LUTextFelder(m_strLetzteZeile);
    strLine = LUFesteZeile({"", "", "", "", f[20], f[10], "", f[11], f[12], "", f[13], f[14], f[15],
                            f[16], f[17], "", ""});
    return true;
}

CString CPrintLU::Kopf1Art() const {
    if (m_bFiktiv) return "Fiktive Laborrechnungen ";
    if (m_bStorniert) return "Stornierte Laborrechnungen ";
    if (m_bBezahlt) return "Bezahlte Laborrechnungen ";
    if (m_bLabRech)
        return m_bTechnMat ? "Laborrechnungen (techn. Material)" : VxString(kVxStrLuRechnungen);
    return VxString(kVxStrLuLeistungen) + " ";
}

CString CPrintLU::GetFormKopf1() {
    CString strKopf = Kopf1Art();
    if (m_bLabRech && !m_bBezahlt)
        strKopf += m_nLabRechDatumIdx == 1 ? ": Druckdatum von " : ": Rechnungsdatum von ";
    strKopf += m_strVonDatum + " bis " + m_strBisDatum + " (Stand " + m_strStand + ")";
    if (m_nView >= 1 && m_nView <= 6) strKopf += kViewZusatz[m_nView];
    return strKopf;
}

CString CPrintLU::GetFormKopf2() {
    const CString strMd = m_pAccu ? m_pAccu->GetMandant() : CString();
    if (strMd.empty()) return "Praxisinhaber: alle";
    if (!m_pAccu->FindMd(strMd)) return {};
    return "Praxisinhaber: " + strMd + " - " + m_strMandantName;
}

CString CPrintLU::GetSpaltenKopf() {
    const CString strBetraege = "TechnLst\tMat.\tMetall\tUSt. 5%\tUSt. 7%\tUSt. 16%\tUSt. "
                                "19%\tUSt.ges.\tNetto\tGesamt";
    CString strKopf;
    if (m_bStorniert)
        strKopf = "Rng.-Datum\t\tPatient\tPlan bzw. Rechnung\t" + strBetraege + "\tStornod.";
    else if (m_bFiktiv)
        strKopf = "Datum\t\tPatient\tTechn.Lst.\tMaterial\tMetall\tUSt. 5%\tUSt. 7%\tUSt. "
                  "16%\tUSt. 19%\tUSt.ges.\tNetto\tGesamt\t\t";
    else if (m_bBezahlt)
        strKopf = "Zahl.-Datum\t\tPatient\tPlan bzw. Rechnung\t" + strBetraege + "\t \t";
    else if (m_bTechnMat)
        return "Datum\t\tPatient\tPlan bzw. Rechnung\tT.Lst/7/5%\tT.Lst.\tMetall/7/5%\tT.Mat/"
               "7/5%\tPrax.Mat\tUSt.5%\tUSt.7%\tUSt.16%\tUSt.19%\tUSt.ges.\tNetto\tGesamt";
    else
        strKopf = "Datum\t\tPatient\tPlan bzw. Rechnung\t" + strBetraege;
    // The list of cancelled invoices has the column already.
    if (m_pSettings->GetStornoLabRech() && !m_bStorniert) strKopf += "\tStornod.";
    return strKopf;
}

CString CPrintLU::GetDruckTabs() {
    if (m_bStorniert || m_bBezahlt) return MakeAbsTabs(AbsTabsLuDruck);
    if (m_bFiktiv) return MakeAbsTabs(AbsTabsLuDruckManLabRech);
    if (m_bTechnMat) return MakeAbsTabs(AbsTabsLuDruckMitTechnMat);
    return MakeAbsTabs(AbsTabsLuDruck);
}

CString CPrintLU::GetListTabs() {
    return ListTabs(m_bTechnMat ? AbsTabsLuListBoxMitTechnMat : AbsTabsLuListBox);
}

// "Gesamt:" and the summed columns in the slots of a list line.
CString CPrintLU::SummenZeile(LUSummen& sums) const {
    const auto F = [this](const CDBetrag& b) { return Format2Nk(b, m_cWaehrung); };
    const CLULabRechLst& s = sums.s;
    CString strLine = "Gesamt:\t\t\t\t\t\t\t\t\t";
    const auto add = [&](const CString& strText) { strLine += strText + "\t\t"; };
    add(F(m_nView == 0 ? CDBetrag(s.m_TechnLst + s.m_TechnLstFrei) : s.m_TechnLst));
    add(F(s.m_Material));
    add(F(s.m_Metall));
    const CLULabRechLst* rates[] = {&sums.s5, &sums.s7, &sums.s16, &sums.s19};
    for (int n = 0; n < 4; ++n) {
        const bool bGezeigt = m_nView == 0 || m_nView == 1 || m_nView == 3 + n;
        add(bGezeigt ? F(rates[n]->m_MwSt) : CString());
    }
    add(F(s.m_MwSt));
    add(F(s.m_Netto));
    add(F(s.m_Brutto));
    return strLine;
}

void CPrintLU::PrintSummen(CPrintVarFile& file) {
    Write_Column(file, "Spalteninhalt", CString(m_nLineWidth, '-'));
    LUSummen sums;
    const int nBlock = m_nView >= 0 && m_nView <= 6 ? m_nView : 0;
    for (const LURowEntry& entry : m_vecRows) {
        const CLULabRech& r = m_Sum.m_vecLabRech[entry.nIndex];
        const STORNOTYP f = r.m_nStornoTyp;
        if (f != kStornoImZeitraum) sums.s.AddSummen(r.Block(nBlock), m_bTechnMat, f);
        sums.s5.AddSummen(r.m_Lst5, m_bTechnMat, f);
        sums.s7.AddSummen(r.m_Lst7, m_bTechnMat, f);
        sums.s16.AddSummen(r.m_Lst16, m_bTechnMat, f);
        sums.s19.AddSummen(r.m_Lst19, m_bTechnMat, f);
    }
    if (m_bOhneMaterial) {
        sums.s.m_Netto -= sums.s.m_Material;
        sums.s.m_Brutto -= sums.s.m_Material;
    }
    if (m_bTechnMat) {
        SummenTechnMat(file, sums);
        return;
    }
    Write_Column(file, "Spalteninhalt", GetPrintLine(GetListTabs(), SummenZeile(sums)));
}

// The sums of the layout with technical material, in its seventeen cells.
void CPrintLU::SummenTechnMat(CPrintVarFile& file, LUSummen& sums) {
    LUTechTexts t;
    FormatTechSums(m_nView, m_cWaehrung, sums.s, sums.s5, sums.s7, sums.s16, sums.s19, t);
    Write_Column(file, "Spalteninhalt",
                 LUFesteZeile({"", "", "", "Summe", "Netto", t[0], t[1], t[2], t[3], t[4], "", "",
                               "", "", "", t[16], ""}));
    Write_Column(file, "Spalteninhalt",
                 LUFesteZeile({"", "", "", "Summe", "USt.", t[5], "", t[6], t[7], "", t[11], t[12],
                               t[13], t[14], t[15], "", ""}));
    Write_Column(file, "Spalteninhalt", CString(m_nLineWidth, '-'));
    Write_Column(
        file, "Spalteninhalt",
        LUFesteZeile({"", "", "     Anzahl", " " + itoc(static_cast<long long>(m_vecRows.size())),
                      "Brutto", "", "", "", "", "", "", "", "", "", "", "Gesamt", t[17]}));
    if (!t[18].empty()) {
        Write_Column(file, "Spalteninhalt", " ");
        Write_Column(file, "Spalteninhalt", t[18]);
    }
}

CString CPrintLU::RankingZeile(const CWPFDataRow& row) const {
    const CString texte[6] = {row["Folge"], row["Name"],   row["TechnLst"],
                              row["Labor"], row["Gesamt"], row["Proz"]};
    return JoinRanking(texte);
}

bool CPrintLU::WriteRanking(CPrintVarFile& file) {
    Write_Variable(file, "FormularId", FormularId(m_nFormNr));
    Write_Variable(file, "Ueberschrift1", GetFormKopf1());
    Write_Variable(file, "Ueberschrift2", GetFormKopf2());
    Write_Variable(file, "Ueberschrift3", "Techniker-Ranking");
    Write_Variable(file, "Spaltenueberschrift", "");
    const CString kopf[6] = {
        "Folge", "Techniker(in) / Behandler", "Techn. Lst.", "PM + Labor", "Gesamt", "Praxis %"};
    const CString strKopf = LeftFix(JoinRanking(kopf), kRankingBreite);
    const CString strTrenner(kRankingBreite, '-');
    const int nTechniker = m_pRanking1 ? m_pRanking1->GetRowCount() : 0;
    for (int n = 0; n < nTechniker; ++n) {
        const CWPFDataRow& row = m_pRanking1->GetRow(n);
        if (n == 0) {
            Write_3Columns(file, "Gruppenkopf", strKopf, "Spalteninhalt", RankingZeile(row),
                           "Modus", "Fett");
        } else {
            Write_Column(file, "Spalteninhalt", strTrenner);
            Write_2Columns(file, "Spalteninhalt", RankingZeile(row), "Modus", "Fett");
        }
        Write_Column(file, "Spalteninhalt", strTrenner);
        std::vector<const CWPFDataRow*> vecBehandler;
        if (m_pRanking2) m_pRanking2->Select(vecBehandler, "Id='" + row["Id"] + "'", "");
        for (const CWPFDataRow* pRow : vecBehandler)
            Write_Column(file, "Spalteninhalt", RankingZeile(*pRow));
        if (!vecBehandler.empty()) Write_Column(file, "Spalteninhalt", strTrenner);
    }
    return file.Close();
}

CString CPrintLU::DruckeLU(bool bDrucken) {
    if (m_nView != kViewRanking) return DoPrint(bDrucken) ? m_strPrintPath : CString();
    m_nFormNr = kFormRanking;
    m_dSize = kSizeValue;
    CString strPath;
    CPrintVarFile file;
    bool bOk = PrintFilePath("vx_stati.dat", strPath) && file.Open(strPath) && WriteRanking(file);
    if (!bOk)
        HaltE(kVxStrLaborumsatz, "Fehler beim Speichern der Datei:\n\n" +
                                     Utf8ToCp1252(strPath.empty() ? "vx_stati.dat" : strPath));
    if (bOk) m_strPrintPath = strPath;
    if (bDrucken && !strPath.empty())
        bOk = PrintFile(m_pParent, dbMdId, FormularId(m_nFormNr), strPath, 0, 0) == 0 && bOk;
    return bOk ? strPath : CString();
}
