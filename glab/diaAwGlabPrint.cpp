// The journal print of the commercial-lab dialog: the rows of the displayed list
// (all, or only the checked ones) as fixed-width lines in "vx_glabjournal.dat",
// the totals line from the dialog's total fields, handed to the print program.
#include "glab/GlabJournal.h"
#include "glab/diaAwGlab.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/db/ZAdr.h"
#include "host/db/ZGLKu.h"
#include "host/print/PrintFile.h"
#include "host/print/PrintVarFile.h"
#include "host/print/StatPrint.h"
#include "host/stat/DataPath.h"

#include <algorithm>

namespace {

constexpr int kFormJournal = 125;
constexpr const char* kJournalDatei = "vx_glabjournal.dat";
constexpr const char* kSpalte = "Spalteninhalt";

bool IstAlle(const CString& strLabKu) {
    const CString strNr = Trim(strLabKu);
    return strNr.empty() || strNr == "Alle" || strNr == "alle";
}

// The customer's name for the heading: the address's name fields, else the name
// of the customer record; "" for an unknown customer.
CString JournalKundenName(const CString& strLabKu) {
    CZGLKu ku(&dbDatabaseRO);
    ku.m_strKuNr = Trim(strLabKu);
    if (ku.GetByK1(CTKRSet::kExact) != CTKRSet::kOk) return {};
    CZAdr adr(&dbDatabaseRO);
    adr.m_strAdrId = ku.m_strAdrId;
    if (adr.GetByK1(CTKRSet::kExact) != CTKRSet::kOk) return ku.m_strName;
    CString strName;
    for (const CString* p : {&adr.m_strName1, &adr.m_strName2, &adr.m_strName3, &adr.m_strName4})
        if (!Blank(*p)) strName += *p + " ";
    return strName;
}

} // namespace

void CdiaAwGlab::GetLine2Print(CString& strLine, const int& nRow) {
    const auto cell = [&](int nCol) { return m_matListe.GetValue(nRow, nCol); };
    GlabJournalZellen z;
    z.strDatum = cell(kGlabColDatum);
    z.strKunde = KundenText(cell(kGlabColLabKu));
    z.strRechNr = cell(kGlabColRechNr);
    z.strAnzRech = cell(kGlabColAnzRech);
    z.strTechnLst = cell(kGlabColTechnLst);
    z.strMaterial = cell(kGlabColMaterial);
    z.strMetall = cell(kGlabColMetall);
    z.strMwSt = cell(kGlabColMwSt);
    z.strNetto = cell(kGlabColNetto);
    z.strBrutto = cell(kGlabColBrutto);
    z.bStorno = !cell(kGlabColVordergrund).empty();
    strLine += GlabJournalZeile(z);
}

// Writes the journal, put in place only when complete. A file that cannot be
// written is reported by the caller.
CdiaAwGlab::JournalStand CdiaAwGlab::WriteJournal(const CString& strPath, bool bPrintAll) {
    CPrintVarFile file;
    if (!file.Open(strPath)) return JournalStand::Fehler;
    VxOpenProgressBox(kVxStrJournalDruck);
    Write_Variable(file, "FormularId", CStatPrint::FormularId(kFormJournal));
    Write_Variable(file, "Ueberschrift1", "Vx Gewerbelaborrechnung - Statistik");
    const CString strKopf2 = IstAlle(m_strLabKu) ? CString("Laborkunde: alle")
                                                 : "Laborkunde: " + Trim(m_strLabKu) + " - " +
                                                       JournalKundenName(m_strLabKu);
    Write_Variable(file, "Ueberschrift2", strKopf2);
    Write_Variable(file, "Spaltenueberschrift", GlabJournalKopf());
    const int nRows = std::min(m_matListe.Count(), static_cast<int>(m_Sum.m_vecFakt.size()));
    long nGedruckt = 0;
    for (int nRow = 0; nRow < nRows; ++nRow) {
        if (!bPrintAll && !m_Sum.m_vecFakt[nRow].m_bChecked) continue;
        CString strLine;
        GetLine2Print(strLine, nRow);
        Write_Column(file, kSpalte, strLine);
        if (!VxUpdateProgressBox2(++nGedruckt, nRows)) {
            VxCloseProgressBox();
            return JournalStand::Abgebrochen;
        }
    }
    Write_Column(file, kSpalte, GlabJournalTrenner());
    Write_Column(file, kSpalte,
                 GlabJournalSummenZeile({m_tbSumTech.GetText(), m_tbSumMaterial.GetText(),
                                         m_tbSumMetall.GetText(), m_tbSumUSt.GetText(),
                                         m_tbSumNetto.GetText(), m_tbSumBrutto.GetText()}));
    Write_Column(file, kSpalte, GlabJournalTrenner());
    VxCloseProgressBox();
    return file.Close() ? JournalStand::Geschrieben : JournalStand::Fehler;
}

void CdiaAwGlab::OnPrint() {
    m_strLetzterDruck.clear();
    const std::vector<CGlabFakt> vecKopie = m_Sum.m_vecFakt;
    bool bPrintAll = true;
    if (m_tbAnzTreffer.GetText() != m_tbAnzSelektiert.GetText() &&
        m_tbAnzSelektiert.GetText() != "0") {
        if (SollIch(Utf8ToCp1252("Nur markierte Datensätze drucken"),
                    Utf8ToCp1252("Möchten Sie nur die markierten Datensätze ausdrucken?")) ==
            kAntwortJa)
            bPrintAll = false;
        else
            CheckAll();
    }
    if (m_tbAnzSelektiert.GetText() == "0") {
        Halt(Utf8ToCp1252("Keine Datensätze markiert!"),
             Utf8ToCp1252("Sie haben keine Datensätze zum Drucken markiert. Bitte setzen Sie an "
                          "den zu druckenden Datensätzen die Haken und versuchen es erneut"));
        m_Sum.m_vecFakt = vecKopie;
        return;
    }
    CString strPath;
    const JournalStand stand = GetDatFilePath(kJournalDatei, strPath)
                                   ? WriteJournal(strPath, bPrintAll)
                                   : JournalStand::Fehler;
    if (stand == JournalStand::Abgebrochen) return;
    // The journal of an earlier print is never printed in place of this one.
    if (stand == JournalStand::Fehler) {
        HaltE(kTitel, "Fehler beim Speichern der Datei:\n\n" +
                          Utf8ToCp1252(strPath.empty() ? kJournalDatei : strPath));
    } else if (PrintFile(this, dbMdId, CStatPrint::FormularId(kFormJournal), strPath, 0, 0) == 0) {
        m_strLetzterDruck = strPath;
    }
    m_Sum.m_vecFakt = vecKopie;
    if (bPrintAll) GetCheckedRecs();
    ShowAnzSelektiert();
    GetGesWerte();
}
