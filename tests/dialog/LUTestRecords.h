#pragma once
// Lab invoices for the dialog tests, built directly as the reader would fill them.
#include "core/LULabRech.h"

#include <cstdint>

inline CDBetrag Cent(std::int64_t n) {
    return CDBetrag::FromCent(n);
}

// An invoice at 19 % VAT with technical services, material and metal in cents.
inline CLULabRech MakeRecord(const CString& strPatNr, const CString& strDatum, std::int64_t nLst,
                             std::int64_t nMat = 0, std::int64_t nMet = 0,
                             STORNOTYP nTyp = kStornoDanach, const CString& strMandant = "1") {
    CLULabRech r;
    r.m_strPatNr = strPatNr;
    r.m_strPlanNr = "1";
    r.m_strRechDatum = strDatum;
    r.m_strRechNr = "1/" + strPatNr + "/1";
    r.m_strMandant = strMandant;
    r.m_cPlanArt = 'z';
    r.m_nStornoTyp = nTyp;
    if (nTyp != kStornoDanach) r.m_strStornoDatum = "20240601";
    const std::int64_t nNetto = nLst + nMat + nMet;
    const std::int64_t nMwSt = (nNetto * 19 + 50) / 100;
    for (CLULabRechLst* pBlock : {&r.m_LstAlle, &r.m_LstMitMwSt, &r.m_Lst19}) {
        pBlock->m_bBelegt = true;
        pBlock->m_TechnLst = Cent(nLst);
        pBlock->m_Material = Cent(nMat);
        pBlock->m_Metall = Cent(nMet);
        pBlock->m_Netto = Cent(nNetto);
        pBlock->m_MwSt = Cent(nMwSt);
        pBlock->m_Brutto = Cent(nNetto + nMwSt);
    }
    return r;
}
