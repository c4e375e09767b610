#pragma once
// Lab invoices. The ten amounts are whole cents in the row's currency, two
// groups of five: technical services, material 1, metal, material 2, VAT.
#include "host/LabBetrag.h"
#include "host/db/TKRSet.h"

#include <cstdint>

class CZFakt : public CTKRSet {
public:
    explicit CZFakt(CDatabase* pDb = &dbDatabaseRO);

    // The ten amounts as filled (non-empty) amounts in the row's currency.
    LabBetrag GetLabBetrag() const;

    CString m_strFaktKey;
    CString m_strMdId; // practice owner
    CString m_strPatNr;
    CString m_strPlanNr;
    CString m_strLBlockNr;   // lab block
    CString m_strArt;        // 'R' regular, 'M' manual
    CString m_strDatum;      // invoice date
    CString m_strDruckDatum; // print date
    CString m_strPrefix;
    CString m_strJahr;
    CString m_strLfdNr;        // running number within the year
    CString m_strPatRechNr;    // patient-related number
    CString m_strStornoDatum;  // "" when not cancelled
    CString m_strBezahltDatum; // "" when not paid
    CString m_strTechnikerId;
    int m_nMwStSatz = 0;   // VAT rate in percent
    CString m_strWaehrung; // 'e' euro, 'd' Deutsche Mark
    std::int64_t m_nA1Cent = 0, m_nA2Cent = 0, m_nA3Cent = 0, m_nA4Cent = 0, m_nA5Cent = 0;
    std::int64_t m_nB1Cent = 0, m_nB2Cent = 0, m_nB3Cent = 0, m_nB4Cent = 0, m_nB5Cent = 0;
};
