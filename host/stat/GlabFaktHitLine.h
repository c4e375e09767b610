#pragma once
// One invoice of the practice's commercial lab to a lab customer, as the database
// walk collects it for the commercial-lab statistics. It travels as a "W" line of
// the hit file; the comments name the line slot each value goes to.
#include "host/Betrag.h"
#include "host/CString.h"

class CGlabFaktHitLine {
public:
    CString m_strInfo1;     // first text of the invoice (AllgText1)
    CString m_strInfo4;     // carried-through text (AllgText2)
    bool m_bStorno = false; // invoice cancelled (AllgFlag, "1"/"0")
    CString m_strLabKu;     // lab customer number (GlabText1)
    CString m_strRechNr;    // invoice number (GlabText2)
    CString m_strDatum;     // invoice date, database date (GlabText3)
    CString m_strInfo2;     // carried-through text (GlabText4)
    CString m_strInfo3;     // carried-through text (GlabText5)
    CString m_strAnzRech;   // number of invoices (GlabText6)
    CString m_strInfo5;     // carried-through text (GlabText7)
    // GlabBetrag1 .. GlabBetrag7, in this order.
    CVzW7Betrag m_TechnLst; // technical services
    CVzW7Betrag m_Material;
    CVzW7Betrag m_Metall;
    CVzW7Betrag m_Betrag4; // fourth amount
    CVzW7Betrag m_MwSt;    // VAT
    CVzW7Betrag m_Netto;
    CVzW7Betrag m_Brutto;

    void Clear() { *this = CGlabFaktHitLine(); }
};
