#pragma once
// The print of the lab-turnover dialog: the list of the chosen rows with the
// closing sums through the host's list print, or (view 7) the technician ranking,
// written by this class itself as "vx_stati.dat".
#include "core/LUSum.h"
#include "dialog/LURowEntry.h"
#include "dialog/LUSums.h"
#include "host/print/StatPrint.h"
#include "print/LUPrintLine.h"

#include <vector>

class CLUDefault;
class CStatAccu;
class CWPFDataRow;
class CWPFDataTable;

class CPrintLU : public CStatPrint {
public:
    static constexpr int kFormListe = 124;
    static constexpr int kFormRanking = 122;
    static constexpr int kViewRanking = 7;
    static constexpr int kRankingBreite = 105;

    // The accumulator is read, not copied: it outlives the print, which lives for
    // one print command, and a list may hold 100,000 rows.
    CPrintLU(const CLUSum& sum, CWPFMatrix<2>* pLines, const std::vector<LURowEntry>& vecRows,
             CStatAccu* pAccu, CWnd* pParent, const CLUDefault* pSettings, bool bLabRech,
             bool bBezahlt, bool bFiktiv, bool bStorniert);

    CString GetPrintLine(const CString& strTabs, const CString& strLine) override;
    CString GetFormKopf1() override;
    CString GetFormKopf2() override;
    CString GetSpaltenKopf() override;
    CString GetDruckTabs() override;
    CString GetListTabs() override;
    bool ZusatzZeile(int nLine, CString& strLine) override;
    void PrintSummen(CPrintVarFile& file) override;
    // View 7 prints the ranking, every other view the list. Returns the path of the
    // print-variable file written, "" when it could not be written.
    virtual CString DruckeLU(bool bDrucken);

    // The ranking's technicians and their treaters (tables "Ranking1" and
    // "Ranking2", columns "Id", "Folge", "Name", "TechnLst", "Labor", "Gesamt",
    // "Proz"); without them the ranking prints empty.
    void SetRanking(const CWPFDataTable* pTechniker, const CWPFDataTable* pBehandler) {
        m_pRanking1 = pTechniker;
        m_pRanking2 = pBehandler;
    }

    bool IsTechnMatLayout() const { return m_bTechnMat; }

    CString m_strVonDatum, m_strBisDatum; // display form
    CString m_strStand;                   // date of the last evaluation run
    CString m_strFirstMdId;
    CString m_strMandantName; // name of the owner of the host accumulator
    int m_nView = 0;
    char m_cWaehrung = 'e';

private:
    CString Kopf1Art() const;
    CString RankingZeile(const CWPFDataRow& row) const;
    bool WriteRanking(CPrintVarFile& file);
    void SummenTechnMat(CPrintVarFile& file, LUSummen& sums);
    CString SummenZeile(LUSummen& sums) const;

    const CLUSum& m_Sum;
    CStatAccu* m_pAccu;
    std::vector<LURowEntry> m_vecRows;
    const CLUDefault* m_pSettings;
    bool m_bLabRech, m_bBezahlt, m_bFiktiv, m_bStorniert;
    bool m_bMitPatName, m_bOhneMaterial;
    int m_nLabRechDatumIdx;
    bool m_bTechnMat;
    CString m_strLetzteZeile; // the data line of the last GetPrintLine, for ZusatzZeile
    const CWPFDataTable* m_pRanking1 = nullptr;
    const CWPFDataTable* m_pRanking2 = nullptr;
};
