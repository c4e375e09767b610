#include "host/db/ZGLBloc.h"

CZGLBloc::CZGLBloc(CDatabase* pDb) : CTKRSet(pDb) {
    Define("glbloc",
           {
               {"nr", &m_strNr},
               {"rech_nr", &m_strRechNr},
               {"status", &m_strStatus},
               {"ku_nr", &m_strKuNr},
               {"kufakt_nr", &m_strKufaktNr},
               {"datum", &m_strDatum},
               {"texte", &m_strTexte},
               {"betraege", &m_strBetraege},
               {"mwst", &m_strMwSt},
           },
           {"nr", "rech_nr"});
}
