#include "host/db/ZPlan.h"

CZPlan::CZPlan(CDatabase* pDb) : CTKRSet(pDb) {
    Define("plan",
           {
               {"pat_nr", &m_strPatNr},
               {"plan_nr", &m_strPlanNr},
               {"plan_art", &m_strPlanArt},
               {"datum", &m_strDatum},
               {"md_id", &m_strMdId},
               {"za_leb_id", &m_strZaLebId},
           },
           {"pat_nr", "plan_nr"});
}
