#include "host/db/ZLBlockEntry.h"

CZLBlockEntry::CZLBlockEntry(CDatabase* pDb) : CTKRSet(pDb) {
    Define("lblock_entry",
           {
               {"pat_nr", &m_strPatNr},
               {"plan_nr", &m_strPlanNr},
               {"lblock_nr", &m_strLBlockNr},
               {"entry_nr", &m_strEntryNr},
               {"anteil", &m_strAnteil},
               {"betrag", &m_strBetrag},
           },
           {"pat_nr", "plan_nr", "lblock_nr", "entry_nr"});
}
