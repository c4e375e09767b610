#include "host/db/ZPat.h"

CZPat::CZPat(CDatabase* pDb) : CTKRSet(pDb) {
    Define("pat",
           {
               {"pat_nr", &m_strPatNr},
               {"name", &m_strName},
               {"vorname", &m_strVorname},
               {"geb_datum", &m_strGebDatum},
               {"md_id", &m_strMdId},
               {"za_leb_id", &m_strZaLebId},
           },
           {"pat_nr"});
}
