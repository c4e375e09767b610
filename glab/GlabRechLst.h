#pragma once
// One VAT block of a commercial-lab invoice: the amounts of the invoice at one VAT
// view (all, free of VAT, with VAT, 7 %, 16 %).
#include "host/Betrag.h"

class CGlabRechLst {
public:
    bool m_bBelegt = false;
    CDBetrag m_Brutto; // m_Netto + m_MwSt once the VAT is computed
    CDBetrag m_Netto;  // filled by the caller
    CDBetrag m_MwSt;   // accumulated by CGlabRech::MwStSum
    CDBetrag m_Betrag4;
    CDBetrag m_Betrag5;
    CDBetrag m_Betrag6;
};
