#pragma once
// One single invoice of the commercial lab, as it stands in an invoice bloc, with
// its amounts and its VAT split by rate.
#include "glab/GlabRechLst.h"
#include "host/Betrag.h"
#include "host/CString.h"

#include <map>

class CZGLBloc;

class CGlabRech {
public:
    using MwStGruppen = std::map<CString, CDBetrag>;

    CString m_strNr; // bloc key
    CString m_strText2;
    CString m_strRechNr; // invoice number within the bloc, may be empty
    int m_nStatus = 0;   // 1: status "1" or "t", 0: status "0"
    CString m_strText5, m_strText6, m_strText7, m_strText8, m_strText9, m_strText10, m_strText11;
    CString m_strText12, m_strText13, m_strText14, m_strText15, m_strText16, m_strText17,
        m_strText18;
    CVzW7Betrag m_TechnLst;
    CVzW7Betrag m_Material;
    CVzW7Betrag m_Metall;
    CVzW7Betrag m_Betrag4; // zero when the list holds no fourth amount
    CVzW7Betrag m_MwSt;
    CVzW7Betrag m_Netto;  // m_Brutto - m_MwSt
    CVzW7Betrag m_Brutto; // total of the amount list
    CGlabRechLst m_LstAlle;
    CGlabRechLst m_LstOhneMwSt;
    CGlabRechLst m_LstMitMwSt;
    CGlabRechLst m_Lst7;
    CGlabRechLst m_Lst16;
    int m_nFlag1 = 0;
    // Net amount per VAT group; a key ends in "|" and the rate in decimal digits.
    MwStGruppen m_mapMwStGruppen;
    MwStGruppen::iterator m_itMwStGruppe = m_mapMwStGruppen.end(); // cursor of MwStSum
    int m_nFlag2 = 0;

    CGlabRech() = default;
    // Every member is copied or moved; the cursor then stands at the end of the
    // record's own map, never in another record's.
    CGlabRech(const CGlabRech& other);
    CGlabRech(CGlabRech&& other) noexcept;
    CGlabRech& operator=(const CGlabRech& other);
    CGlabRech& operator=(CGlabRech&& other) noexcept;
    ~CGlabRech() = default;

    // Fills keys, status, texts and amounts from a bloc record; the VAT blocks and
    // the VAT groups stay as they are.
    void MoveGLBloc(CZGLBloc& rs);

    // Amount nIndex of a bloc's amount list: 10 places each, blanks removed.
    static CString GetBetrag(const CString& strBetraege, int nIndex);
    // Total of a bloc's amount list, the gross (CGlabFakt::GetGesamtBetrag).
    static CString GetGesamtBetragBrutto(const CString& strBetraege);

    // VAT at 7 % and at the general rate (16 %) of the bloc entries of one invoice,
    // in the amount's stored form; "e         0" for an invoice without entries.
    static void GetGesamtUst(CString& strUst7, CString& strUstAllg, const CString& strRechNr,
                             const CString& strNr);

    // Adds to block.m_MwSt the VAT of the groups at rate nSatz (-1: every rate),
    // then sets block.m_Brutto = m_Netto + m_MwSt.
    void MwStSum(CGlabRechLst& block, int nSatz);
    void BerechneMwStSummen();

    // Same bloc key and, unless this invoice number is empty, the same invoice
    // number. Not symmetric, like CGlabFakt.
    bool operator==(const CGlabRech& other) const;
    bool operator==(const CZGLBloc& rs) const;

    // Kept for callers of the lab program; they do nothing here.
    void CreateRechnungsNr(const CString&) {}
    void Clear() {}

private:
    template <class Self, class Other> static void Assign(Self& self, Other&& other);
};
