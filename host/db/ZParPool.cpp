#include "host/db/ZParPool.h"

CZParPool::CZParPool(CDatabase* pDb) : CTKRSet(pDb) {
    Define("parpool",
           {
               {"nr", &m_strNr},
               {"owner", &m_strOwner},
               {"wert", &m_strWert},
           },
           {"nr", "owner"});
}
