#include "host/print/StatPrint.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/print/PrintFile.h"
#include "host/print/PrintVarFile.h"
#include "host/stat/DataPath.h"

CStatPrint::CStatPrint(CWPFMatrix<2>* pLines, CWnd* pParent)
    : m_pLines(pLines), m_pParent(pParent) {}

CStatPrint::~CStatPrint() = default;

CString CStatPrint::GetPrintLine(const CString&, const CString& strLine) {
    return strLine;
}
CString CStatPrint::GetFormKopf1() {
    return {};
}
CString CStatPrint::GetFormKopf2() {
    return {};
}
CString CStatPrint::GetFormKopf3() {
    return {};
}
CString CStatPrint::GetSpaltenKopf() {
    return {};
}
CString CStatPrint::GetDruckTabs() {
    return {};
}
CString CStatPrint::GetListTabs() {
    return {};
}
bool CStatPrint::ZeileUnterdruecken(int) {
    return false;
}
bool CStatPrint::ZusatzZeile(int, CString&) {
    return false;
}
void CStatPrint::PrintSummen(CPrintVarFile&) {}

CString CStatPrint::FormularId(int nFormNr) {
    return Format("VXSTAT%03d", nFormNr);
}

bool CStatPrint::PrintFilePath(const CString& strName, CString& strPath) {
    return GetDatFilePath(strName, strPath);
}

void CStatPrint::WriteKopf(CPrintVarFile& file) {
    Write_Variable(file, "FormularId", FormularId(m_nFormNr));
    Write_Variable(file, "Ueberschrift1", GetFormKopf1());
    Write_Variable(file, "Ueberschrift2", GetFormKopf2());
    Write_Variable(file, "Ueberschrift3", GetFormKopf3());
    const CString strTabs = GetDruckTabs();
    Write_Variable(file, "Tabulatoren", strTabs);
    Write_Variable(file, "Spaltenueberschrift", GetPrintLine(strTabs, GetSpaltenKopf()));
}

void CStatPrint::WriteZeilen(CPrintVarFile& file) {
    if (!m_pLines) return;
    const CString strListTabs = GetListTabs();
    const int nCount = m_pLines->Count();
    for (int nLine = 0; nLine < nCount; ++nLine) {
        if (ZeileUnterdruecken(nLine)) continue;
        Write_Column(file, "Spalteninhalt",
                     GetPrintLine(strListTabs, m_pLines->GetValue(nLine, 0)));
        if (CString strZusatz; ZusatzZeile(nLine, strZusatz))
            Write_Column(file, "Spalteninhalt", strZusatz);
    }
}

// Puts the file in place and prints it; a file that cannot be written is reported.
bool CStatPrint::Drucke(CPrintVarFile& file, bool bDrucken) {
    const CString strPath = file.GetPath();
    if (!file.Close()) {
        HaltE(kVxStrLaborumsatz, "Fehler beim Speichern der Datei:\n\n" + Utf8ToCp1252(strPath));
        return false;
    }
    m_strPrintPath = strPath;
    if (bDrucken) return PrintFile(m_pParent, dbMdId, FormularId(m_nFormNr), strPath, 0, 0) == 0;
    return true;
}

bool CStatPrint::DoPrint(bool bDrucken) {
    CString strPath;
    CPrintVarFile file;
    if (!PrintFilePath(m_strDateiName, strPath) || !file.Open(strPath)) {
        HaltE(kVxStrLaborumsatz, "Fehler beim Speichern der Datei:\n\n" +
                                     Utf8ToCp1252(strPath.empty() ? m_strDateiName : strPath));
        return false;
    }
    WriteKopf(file);
    WriteZeilen(file);
    PrintSummen(file);
    return Drucke(file, bDrucken);
}
