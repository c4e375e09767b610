#include "host/db/Bill.h"

CBill::CBill(CDatabase* pDb) : CTKRSet(pDb) {
    Define("bill",
           {
               {"pat_nr", &m_strPatNr},
               {"bill_key", &m_strBillKey},
               {"status", &m_strStatus},
               {"abgerechnet", &m_nAbgerechnet},
               {"liq_nr", &m_strLiqNr},
               {"datum", &m_strDatum},
           },
           {"pat_nr", "bill_key"});
}
