#include "host/db/ZGLKuFakt.h"

CZGLKuFakt::CZGLKuFakt(CDatabase* pDb) : CTKRSet(pDb) {
    Define("glkufakt",
           {
               {"ku_nr", &m_strKuNr},
               {"rech_nr", &m_strRechNr},
               {"info1", &m_strInfo1},
               {"datum", &m_strDatum},
               {"info2", &m_strInfo2},
               {"info3", &m_strInfo3},
               {"anz_rech", &m_strAnzRech},
               {"info4", &m_strInfo4},
               {"info5", &m_strInfo5},
               {"storno", &m_strStorno},
               {"betraege", &m_strBetraege},
               {"mwst", &m_strMwSt},
           },
           {"ku_nr", "rech_nr"});
}

int CZGLKuFakt::GetByDatum(const CString& strAb, const CString& strBis, const CString& strKuNr) {
    if (strKuNr.empty())
        return Query("datum BETWEEN ? AND ? ORDER BY datum, ku_nr, rech_nr", {strAb, strBis});
    return Query("datum BETWEEN ? AND ? AND ku_nr = ? ORDER BY datum, ku_nr, rech_nr",
                 {strAb, strBis, strKuNr});
}
