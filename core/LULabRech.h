#pragma once
// One row of the lab-turnover statistics: one lab invoice of one patient, usually
// for one treatment plan, with its amounts in seven blocks by VAT view.
#include "core/LULabRechLst.h"
#include "core/StornoTyp.h"
#include "host/CString.h"

#include <utility>
#include <vector>

class CLUDefault;
class CZFakt;
struct CBehHitLine;
struct LabBetrag;

class CLULabRech {
public:
    // The members a merged hit reads or writes come first, then the blocks, then
    // the rest: with hits in random order a row is rarely in the cache, and the fewer
    // cache lines a hit touches the sooner it is done.
    CString m_strPatNr;
    CString m_strPlanNr;
    CString m_strLiqNr;
    CString m_strLabRechNr; // key of the lab invoice the hits carry; not in the hit file
    CString m_strLBlockNr;
    CString m_strLstDatum;  // service date of the last merged hit
    CString m_strRechDatum; // invoice date
    CString m_strMandant;
    CString m_strTechniker; // lab technician id; no key of the row
    CString m_strPatName;
    signed char m_cPlanArt = 0;
    bool m_bMarkiert = false;
    bool m_bFlag2 = false;
    STORNOTYP m_nStornoTyp = kStornoDanach;
    // Net amount per VAT group "plan + lab block + flag|rate", in order of creation.
    std::vector<std::pair<CString, CDBetrag>> m_vecMwStGruppen;
    CLULabRechLst m_LstAlle;     // block "0"
    CLULabRechLst m_LstOhneMwSt; // block "2"
    CLULabRechLst m_LstMitMwSt;  // block "1"
    CLULabRechLst m_Lst5;        // block "3"
    CLULabRechLst m_Lst7;        // block "4"
    CLULabRechLst m_Lst16;       // block "5"
    CLULabRechLst m_Lst19;       // block "6"
    CString m_strZusatzKey;
    CString m_strDatumAlt; // payment date of paid invoices
    CString m_strZusatzText;
    CString m_strRechNr;      // patient-related invoice number "Mandant/PatNr/Nr"
    CString m_strFortlRgNr;   // running invoice number, invoice years after 2019
    CString m_strStornoDatum; // empty: not cancelled

    CLULabRech() = default;

    void Clear();
    void MoveBeh(const CBehHitLine& hit);
    // MoveBeh with the hit's amount as AmountWithShare gave it.
    void MoveBeh(const CBehHitLine& hit, const CDBetrag& betrag);
    // The hit's amount, or the share of it that its lab-block entry names.
    static CDBetrag AmountWithShare(const CBehHitLine& hit);
    void MoveLabLstBetrag(const CBehHitLine& hit);
    void MoveLabLstBetrag(const CBehHitLine& hit, const LabBetrag& lab);
    void BerechneMwStSummen();
    void MwStSum(CLULabRechLst& block, int nSatz);
    void MoveFakt(const CZFakt* pFakt);
    void CreateRechnungsNr(const CString& strNr);
    bool Compare(const CBehHitLine& hit, const CLUDefault& settings) const;
    bool operator==(const CLULabRech& other) const;

    // Block by view index 0..6: all, with VAT, free of VAT, 5, 7, 16, 19 %.
    CLULabRechLst& Block(int nView);
    const CLULabRechLst& Block(int nView) const;
    // The rate block for a VAT rate, or nullptr for a rate without one.
    CLULabRechLst* RateBlock(int nSatz);

private:
    void AddMwStGruppe(const CBehHitLine& hit);
};
