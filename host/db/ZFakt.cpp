#include "host/db/ZFakt.h"

CZFakt::CZFakt(CDatabase* pDb) : CTKRSet(pDb) {
    Define("fakt",
           {
               {"fakt_key", &m_strFaktKey},
               {"md_id", &m_strMdId},
               {"pat_nr", &m_strPatNr},
               {"plan_nr", &m_strPlanNr},
               {"lblock_nr", &m_strLBlockNr},
               {"art", &m_strArt},
               {"datum", &m_strDatum},
               {"druck_datum", &m_strDruckDatum},
               {"prefix", &m_strPrefix},
               {"jahr", &m_strJahr},
               {"lfd_nr", &m_strLfdNr},
               {"pat_rech_nr", &m_strPatRechNr},
               {"storno_datum", &m_strStornoDatum},
               {"bezahlt_datum", &m_strBezahltDatum},
               {"techniker_id", &m_strTechnikerId},
               {"mwst_satz", &m_nMwStSatz},
               {"waehrung", &m_strWaehrung},
               {"a1_cent", &m_nA1Cent},
               {"a2_cent", &m_nA2Cent},
               {"a3_cent", &m_nA3Cent},
               {"a4_cent", &m_nA4Cent},
               {"a5_cent", &m_nA5Cent},
               {"b1_cent", &m_nB1Cent},
               {"b2_cent", &m_nB2Cent},
               {"b3_cent", &m_nB3Cent},
               {"b4_cent", &m_nB4Cent},
               {"b5_cent", &m_nB5Cent},
           },
           {"fakt_key"});
}

LabBetrag CZFakt::GetLabBetrag() const {
    // An empty currency text falls back to the column's default, euro.
    const char cWaehrung = m_strWaehrung.empty() ? CWBetragBasis::kEuro : m_strWaehrung[0];
    const std::int64_t a[5] = {m_nA1Cent, m_nA2Cent, m_nA3Cent, m_nA4Cent, m_nA5Cent};
    const std::int64_t b[5] = {m_nB1Cent, m_nB2Cent, m_nB3Cent, m_nB4Cent, m_nB5Cent};
    LabBetrag betrag;
    for (std::size_t i = 0; i < 5; ++i) {
        betrag.m_A[i] = CDBetrag::FromCent(a[i], cWaehrung);
        betrag.m_B[i] = CDBetrag::FromCent(b[i], cWaehrung);
    }
    return betrag;
}
