#pragma once
// The host's list print. A statistics dialog hands its lines (column 0 of a
// two-column matrix, tab-separated) to a subclass; DoPrint writes them with the
// subclass's headings, tab stops, extra lines and closing sums into the
// print-variable file of the data folder and hands that to the print program.
#include "host/CString.h"
#include "host/gui/WPFMatrix.h"

class CPrintVarFile;
class CWnd;

class CStatPrint {
public:
    CStatPrint(CWPFMatrix<2>* pLines, CWnd* pParent);
    virtual ~CStatPrint();
    CStatPrint(const CStatPrint&) = delete;
    CStatPrint& operator=(const CStatPrint&) = delete;

    // One printed line of a data line; strTabs tells which: GetListTabs() for a
    // line of the list, GetDruckTabs() for the column heading. The base leaves it as it is.
    virtual CString GetPrintLine(const CString& strTabs, const CString& strLine);
    virtual CString GetFormKopf1();
    virtual CString GetFormKopf2();
    virtual CString GetFormKopf3();
    virtual CString GetSpaltenKopf();
    virtual CString GetDruckTabs(); // the print's tab stops (MakeAbsTabs)
    virtual CString GetListTabs();  // the list's tab stops
    virtual bool ZeileUnterdruecken(int nLine);
    // A second printed line for data line nLine: true and strLine set.
    virtual bool ZusatzZeile(int nLine, CString& strLine);
    virtual void PrintSummen(CPrintVarFile& file);
    // Writes the print-variable file and, with bDrucken, prints it. False when the
    // file could not be written (the user has been told).
    virtual bool DoPrint(bool bDrucken);

    // The id text of a form number in the host's form table.
    static CString FormularId(int nFormNr);
    // The print-variable file of the data folder named strName (native path).
    static bool PrintFilePath(const CString& strName, CString& strPath);

    int m_nFormNr = 0;
    double m_dSize = 0;     // size value of the form
    int m_nLineWidth = 160; // characters of a full-width line of the fixed layouts
    CString m_strDateiName = "vx_liste.dat";
    CString m_strPrintPath; // the file of the last print

protected:
    void WriteKopf(CPrintVarFile& file);
    void WriteZeilen(CPrintVarFile& file);
    bool Drucke(CPrintVarFile& file, bool bDrucken);

    CWPFMatrix<2>* m_pLines;
    CWnd* m_pParent;
};
