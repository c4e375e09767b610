#include "host/db/ZMandant.h"

CZMandant::CZMandant(CDatabase* pDb) : CTKRSet(pDb) {
    Define("mandant",
           {
               {"md_id", &m_strMdId},
               {"name", &m_strName},
           },
           {"md_id"});
}
