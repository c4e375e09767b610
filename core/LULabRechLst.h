#pragma once
// One amount block of a lab invoice row: the amounts of the invoice at one VAT view
// (all, with VAT, free of VAT, 5, 7, 16, 19 %), or in a sum block the totals of the
// marked rows.
#include "core/StornoTyp.h"
#include "host/Betrag.h"

struct CBehHitLine;
struct LabBetrag;

class CLULabRechLst {
public:
    bool m_bBelegt = false;
    int m_nRundDiff = 0; // sum blocks: invoices with a rounding difference
    CDBetrag m_Brutto;
    CDBetrag m_Netto;
    CDBetrag m_MwSt;
    CDBetrag m_TechnLst;
    CDBetrag m_MwStTechnLst5;
    CDBetrag m_MwStTechnLst7;
    CDBetrag m_TechnLstFrei;
    CDBetrag m_Material; // technical and practice material
    CDBetrag m_Metall;
    CDBetrag m_MwStMetall5;
    CDBetrag m_MwStMetall7;
    CDBetrag m_TechnMat;  // technical material, also contained in m_Material
    CDBetrag m_TechnMat5; // row: net base at 5 %; sum block: the VAT on it
    CDBetrag m_TechnMat7; // row: net base at 7 %; sum block: the VAT on it
    CDBetrag m_RundDiff;  // sum blocks: accumulated VAT rounding difference

    // The fourteen amounts m_Brutto .. m_TechnMat7 in member order, which is also
    // their order in a hit line.
    static constexpr int kBetragCount = 14;
    static CDBetrag CLULabRechLst::*const kBetraege[kBetragCount];

    // Empties the fourteen amounts m_Brutto .. m_TechnMat7; the rounding
    // difference and its counter stay.
    void Clear();

    // Classifies one hit's amount by its amount kind and sub-kind.
    void MoveLabLstBetrag(const CBehHitLine& hit);
    // Takes the host's ready lab totals of an invoice.
    void MoveLabLstBetrag(const CBehHitLine& hit, const LabBetrag& lab);

    // Adds a row block into this sum block with the sign factor f. With
    // bNurMitErmMwSt, rows without VAT on technical services at 5 or 7 % are skipped.
    void AddSummen(const CLULabRechLst& row, bool bNurMitErmMwSt, bool bUnused, STORNOTYP f);
    void AddSummen(const CLULabRechLst& row, bool bUnused, STORNOTYP f) {
        AddSummen(row, false, bUnused, f);
    }

private:
    void CheckRundung(const CLULabRechLst& row);
};
