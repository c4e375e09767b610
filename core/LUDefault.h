#pragma once
// The user's settings of the lab-turnover statistics, kept as one short text in the
// practice database's parameter pool.
#include "host/CString.h"

class CZParPool;

class CLUDefault {
public:
    CLUDefault(); // reads the stored settings; defaults when there are none
    CLUDefault(const CLUDefault&) = default;
    CLUDefault& operator=(const CLUDefault&) = default;

    bool GetMitPatName() const { return m_bMitPatName; }
    void SetMitPatName(bool b) { m_bMitPatName = b; }
    bool GetMitMaterial() const { return m_bMitMaterial; }
    void SetMitMaterial(bool b) { m_bMitMaterial = b; }
    int GetLstRechIdx() const { return m_nLstRechIdx; }
    void SetLstRechIdx(int n) { m_nLstRechIdx = n; }
    int GetLabRechDatumIdx() const { return m_nLabRechDatumIdx; }
    void SetLabRechDatumIdx(int n) { m_nLabRechDatumIdx = n; }
    bool GetOhneMaterial() const { return m_bOhneMaterial; }
    void SetOhneMaterial(bool b) { m_bOhneMaterial = b; }
    bool GetStetsLabRgNr() const { return m_bStetsLabRgNr; }
    void SetStetsLabRgNr(bool b) { m_bStetsLabRgNr = b; }
    bool GetStornoLabRech() const { return m_bStornoLabRech; }
    void SetStornoLabRech(bool b) { m_bStornoLabRech = b; }
    int GetCheckedStornoTypen() const { return m_nCheckedStornoTypen; }
    void SetCheckedStornoTypen(int n) { m_nCheckedStornoTypen = n; }
    bool GetMitTechnMat() const { return m_bMitTechnMat; }
    void SetMitTechnMat(bool b) { m_bMitTechnMat = b; }
    bool GetMit100PoEA() const { return m_bMit100PoEA; }
    void SetMit100PoEA(bool b) { m_bMit100PoEA = b; }
    bool GetStetsLstDatum() const { return m_bStetsLstDatum; }
    void SetStetsLstDatum(bool b) { m_bStetsLstDatum = b; }
    bool GetMitFestzGeEA() const { return m_bMitFestzGeEA; }
    void SetMitFestzGeEA(bool b) { m_bMitFestzGeEA = b; }
    bool GetMitFortlRgNr() const { return m_bMitFortlRgNr; }
    void SetMitFortlRgNr(bool b) { m_bMitFortlRgNr = b; }

    // Replaces the stored record (delete and write in one transaction, so a failed
    // save keeps the old settings). Reports success as the host expects; a failure
    // is shown to the user.
    bool WriteParPool();

    const CString& GetOwnerKey() const { return m_strOwnerKey; }
    const CString& GetNrKey() const { return m_strNrKey; }

    // The stored form, one character per setting (exposed for the settings tests).
    CString Def2Par() const;
    void Par2Def(const CString& strPar);

private:
    void Init();
    bool ReadParPool();
    bool DeleteParPool(CZParPool& pool);
    void SetKeys(CZParPool& pool) const;

    bool m_bMitPatName = false;
    bool m_bMitMaterial = true;
    int m_nLstRechIdx = 0;
    int m_nLabRechDatumIdx = 0;
    bool m_bOhneMaterial = false;
    bool m_bStetsLabRgNr = false;
    bool m_bStornoLabRech = false;
    int m_nCheckedStornoTypen = 0;
    bool m_bMitTechnMat = false;
    bool m_bMit100PoEA = false;
    bool m_bStetsLstDatum = false;
    bool m_bMitFestzGeEA = true;
    bool m_bMitFortlRgNr = false;

    CString m_strOwnerKey; // "DEFAULT"
    CString m_strNrKey;    // the number 54, right-aligned in three places
};
