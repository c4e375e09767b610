#include "host/db/ZGLBlocEntry.h"

CZGLBlocEntry::CZGLBlocEntry(CDatabase* pDb) : CTKRSet(pDb) {
    Define("glbloc_entry",
           {
               {"nr", &m_strNr},
               {"rech_nr", &m_strRechNr},
               {"pos", &m_strPos},
               {"mwst_code", &m_strMwStCode},
               {"preis", &m_strPreis},
               {"menge", &m_strMenge},
           },
           {"nr", "rech_nr", "pos"});
}
