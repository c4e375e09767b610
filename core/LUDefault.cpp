#include "core/LUDefault.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/ZParPool.h"

namespace {

constexpr unsigned long long kParPoolNr = 54;

bool FlagAt(const CString& s, std::size_t pos) {
    return pos < s.size() && s[pos] == '1';
}

// Decimal value of the one character at pos; a missing or non-digit character is 0.
int DigitAt(const CString& s, std::size_t pos) {
    return pos < s.size() ? static_cast<int>(LeadingInt(s.substr(pos, 1))) : 0;
}

const char* Flag(bool b) {
    return b ? "1" : "0";
}

} // namespace

CLUDefault::CLUDefault() : m_strOwnerKey("DEFAULT"), m_strNrKey(Format("%*llu", 3, kParPoolNr)) {
    ReadParPool();
}

void CLUDefault::Init() {
    m_bMitPatName = false;
    m_bMitMaterial = true;
    m_nLstRechIdx = 0;
    m_nLabRechDatumIdx = 0;
    m_bOhneMaterial = false;
    m_bStetsLabRgNr = false;
    m_bStornoLabRech = false;
    m_nCheckedStornoTypen = 0;
    m_bMitTechnMat = false;
    m_bMit100PoEA = false;
    m_bStetsLstDatum = false;
    m_bMitFestzGeEA = true;
    m_bMitFortlRgNr = false;
}

void CLUDefault::Par2Def(const CString& s) {
    m_bMitPatName = FlagAt(s, 0);
    m_bMitMaterial = FlagAt(s, 1);
    m_nLstRechIdx = DigitAt(s, 2);
    m_nLabRechDatumIdx = DigitAt(s, 3);
    m_bOhneMaterial = FlagAt(s, 4);
    m_bStetsLabRgNr = FlagAt(s, 5);
    m_bStornoLabRech = FlagAt(s, 6);
    m_bMitTechnMat = FlagAt(s, 7);
    m_bMit100PoEA = FlagAt(s, 8);
    m_bStetsLstDatum = FlagAt(s, 9);
    m_bMitFestzGeEA = true; // position 10 is always written as "1" and never read
    m_bMitFortlRgNr = FlagAt(s, 11);
    m_nCheckedStornoTypen = DigitAt(s, 12);
}

CString CLUDefault::Def2Par() const {
    return CString(Flag(m_bMitPatName)) + Flag(m_bMitMaterial) + Format("%d", m_nLstRechIdx) +
           Format("%d", m_nLabRechDatumIdx) + Flag(m_bOhneMaterial) + Flag(m_bStetsLabRgNr) +
           Flag(m_bStornoLabRech) + Flag(m_bMitTechnMat) + Flag(m_bMit100PoEA) +
           Flag(m_bStetsLstDatum) + "1" + Flag(m_bMitFortlRgNr) +
           Format("%d", m_nCheckedStornoTypen);
}

void CLUDefault::SetKeys(CZParPool& pool) const {
    pool.m_strNr = m_strNrKey;
    pool.m_strOwner = m_strOwnerKey;
}

bool CLUDefault::ReadParPool() {
    Init();
    if (!dbDatabaseRO.IsOpen()) return false;
    CZParPool pool(&dbDatabaseRO);
    pool.SetForwardOnly(true);
    SetKeys(pool);
    if (pool.GetByK1(0) != 0) return false;
    Par2Def(pool.m_strWert);
    return true;
}

bool CLUDefault::DeleteParPool(CZParPool& pool) {
    SetKeys(pool);
    if (pool.GetByK1(0) == 0) pool.Delete();
    return true;
}

bool CLUDefault::WriteParPool() {
    if (!dbDatabase.IsOpen()) {
        HaltE("Laborumsatzliste", "Die Einstellungen konnten nicht gespeichert werden: "
                                  "keine Praxisdatenbank ge\xF6"
                                  "ffnet.");
        return true;
    }
    CZParPool pool(&dbDatabase);
    int nResult = 0;
    try {
        InTransaction(dbDatabase.Conn(), [&] {
            DeleteParPool(pool);
            SetKeys(pool);
            pool.m_strWert = Def2Par();
            nResult = pool.Write("");
            if (nResult != 0) throw DbError(pool.GetLastError());
        });
    } catch (const DbError& e) {
        HaltE("Laborumsatzliste",
              "Die Einstellungen konnten nicht gespeichert werden; die bisherigen bleiben "
              "erhalten.\n" +
                  Utf8ToCp1252(e.what()));
    }
    return true;
}
