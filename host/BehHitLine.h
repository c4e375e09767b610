#pragma once
// One treatment hit with lab amounts, as the database walk hands it to the
// lab-turnover accumulator.
#include "host/Betrag.h"
#include "host/CString.h"

struct CBehHitLine {
    CString m_strMandant;       // practice owner
    CString m_strTechniker;     // lab technician id
    CString m_strPatNr;         // patient number
    CString m_strText;          // further text (the record's service text)
    CString m_strDatum;         // service date, database date
    CDBetrag m_Betrag;          // the hit's lab amount
    CString m_strLabRechKey;    // key of the lab invoice the hit belongs to
    char m_cFlag1 = 0;          // plan kind character
    char m_cFlag2 = 0;          // second flag; set when not 0 and not '0'
    char m_cArt = 0;            // amount kind '1'..'9'
    char m_cSubArt = 0;         // sub-kind of the amount kind
    CString m_strPlanNr;        // treatment plan number
    CString m_strLiqNr1;        // first liquidation number
    CString m_strLiqNr2;        // second liquidation number
    CString m_strLBlockEntryNr; // lab-block entry key
    CString m_strLBlockNr;      // lab-block key
    int m_nMwStSatz = 0;        // VAT rate in percent, 0 = free of VAT
    CString m_strPatName;       // the fourth text: the patient's name
    // The lab-block entry the hit names, when the walk read it with the hit (a
    // server would otherwise answer one lookup per hit): 1 found, with its share
    // and amount texts, -1 missing, 0 not read (the accumulator looks it up).
    int m_nEntry = 0;
    CString m_strEntryAnteil, m_strEntryBetrag;

    bool IsFlag2Set() const { return m_cFlag2 != 0 && m_cFlag2 != '0'; }
};

class CZBeh;
// The hit of a treatment record; the patient's name comes from the patient record.
CBehHitLine BehHitFromRecord(const CZBeh& beh, const CString& strPatName);
