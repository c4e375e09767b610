#include "host/db/ZGLKu.h"

CZGLKu::CZGLKu(CDatabase* pDb) : CTKRSet(pDb) {
    Define("glku",
           {
               {"ku_nr", &m_strKuNr},
               {"name", &m_strName},
               {"adr_id", &m_strAdrId},
           },
           {"ku_nr"});
}
