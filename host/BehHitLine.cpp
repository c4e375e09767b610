#include "host/BehHitLine.h"

#include "host/db/ZBeh.h"

namespace {
char FirstChar(const CString& s) { return s.empty() ? 0 : s[0]; }
} // namespace

CBehHitLine BehHitFromRecord(const CZBeh& beh, const CString& strPatName) {
    CBehHitLine h;
    h.m_strMandant = beh.m_strMdId;
    h.m_strTechniker = beh.m_strTechnikerId;
    h.m_strPatNr = beh.m_strPatNr;
    h.m_strText = beh.m_strText;
    h.m_strDatum = beh.m_strDatum;
    h.m_Betrag = CDBetrag::FromCent(beh.m_nBetragCent, FirstChar(beh.m_strWaehrung));
    h.m_strLabRechKey = beh.m_strFaktKey;
    h.m_cFlag1 = FirstChar(beh.m_strFlag1);
    h.m_cFlag2 = FirstChar(beh.m_strFlag2);
    h.m_cArt = FirstChar(beh.m_strArt);
    h.m_cSubArt = FirstChar(beh.m_strSubArt);
    h.m_strPlanNr = beh.m_strPlanNr;
    h.m_strLiqNr1 = beh.m_strLiqNr1;
    h.m_strLiqNr2 = beh.m_strLiqNr2;
    h.m_strLBlockEntryNr = beh.m_strLBlockEntryNr;
    h.m_strLBlockNr = beh.m_strLBlockNr;
    h.m_nMwStSatz = beh.m_nMwStSatz;
    h.m_strPatName = strPatName;
    return h;
}
