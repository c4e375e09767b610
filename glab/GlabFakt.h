#pragma once
// One customer invoice of the practice's commercial lab: the collective invoice to
// one lab customer over the single invoices of a period. The row of the
// commercial-lab statistics.
#include "host/Betrag.h"
#include "host/CString.h"

class CZGLKuFakt;

class CGlabFakt {
public:
    CString m_strInfo1;
    CString m_strLabKu;  // lab customer number
    CString m_strRechNr; // invoice number, may be empty
    CString m_strDatum;  // invoice date, database date
    CString m_strInfo2;
    CString m_strInfo3;
    CString m_strAnzRech; // number of invoices collected
    CString m_strInfo4;
    CString m_strInfo5;
    bool m_bStorno = false;
    CVzW7Betrag m_TechnLst;
    CVzW7Betrag m_Material;
    CVzW7Betrag m_Metall;
    CVzW7Betrag m_Betrag4; // fourth amount of the list, zero when there is none
    CVzW7Betrag m_MwSt;
    CVzW7Betrag m_Netto;     // total of the amount list
    CVzW7Betrag m_Brutto;    // m_Netto + m_MwSt
    bool m_bChecked = false; // check mark of the dialog row

    // Fills everything but the check mark from a customer-invoice record.
    void MoveGLKuFakt(CZGLKuFakt& rs);

    // Amount nIndex of a customer invoice's amount list: 9 places each, blanks
    // removed; "" when the list is too short.
    static CString GetBetrag(const CString& strBetraege, int nIndex);
    // Total of an amount list: ten 10-place windows from position 1 on, added (see
    // the .cpp for what that means for the 9-place customer-invoice lists).
    static CString GetGesamtBetrag(const CString& strBetraege);

    // Same customer and, unless this invoice number is empty, the same invoice
    // number. Not symmetric: an element without number takes every invoice of its
    // customer.
    bool operator==(const CGlabFakt& other) const;
    bool operator==(const CZGLKuFakt& rs) const;

    void Clear(); // texts and amounts empty, both flags false
};
