#include "host/db/ZVDesc.h"

CZVDesc::CZVDesc(CDatabase* pDb) : CTKRSet(pDb) {
    Define("vdesc",
           {
               {"pat_nr", &m_strPatNr},
               {"gueltig_ab", &m_strGueltigAb},
               {"kassen_nr", &m_strKassenNr},
               {"vers_art", &m_strVersArt},
           },
           {"pat_nr", "gueltig_ab"});
}

int CZVDesc::FindMatching(const CString& strPatNr, const CString& strDatum, int) {
    return QueryOne("pat_nr = ? AND gueltig_ab <= ? ORDER BY gueltig_ab DESC LIMIT 1",
                    {strPatNr, strDatum});
}
