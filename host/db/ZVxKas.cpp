#include "host/db/ZVxKas.h"

CZVxKas::CZVxKas(CDatabase* pDb) : CTKRSet(pDb) {
    Define("vxkas",
           {
               {"kassen_nr", &m_strKassenNr},
               {"gueltig_ab", &m_strGueltigAb},
               {"name", &m_strName},
           },
           {"kassen_nr", "gueltig_ab"});
}

int CZVxKas::GetActKasse(const CString& strKassenNr, const CString& strDatum) {
    return QueryOne("kassen_nr = ? AND gueltig_ab <= ? ORDER BY gueltig_ab DESC LIMIT 1",
                    {strKassenNr, strDatum});
}
