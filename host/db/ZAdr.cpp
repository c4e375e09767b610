#include "host/db/ZAdr.h"

CZAdr::CZAdr(CDatabase* pDb) : CTKRSet(pDb) {
    Define("adr",
           {
               {"adr_id", &m_strAdrId},
               {"name1", &m_strName1},
               {"name2", &m_strName2},
               {"name3", &m_strName3},
               {"name4", &m_strName4},
               {"strasse", &m_strStrasse},
               {"plz", &m_strPlz},
               {"ort", &m_strOrt},
           },
           {"adr_id"});
}
