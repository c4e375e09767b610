#pragma once
// The print program: prints a print-variable file as pages. In the dialogs it
// opens the print preview, from which the user prints on a printer or saves a PDF;
// with a PDF target set (the command line, the tests) it writes that PDF instead.
#include "host/CString.h"

#include <string>

class CWnd;

extern CString dbMdId; // the practice's id

// Where PrintFile puts its pages: "" the print preview, else this PDF (native path).
void SetPrintPdfTarget(const std::string& strPdfPath);
const std::string& GetPrintPdfTarget();

// Prints the print-variable file strPath with the form strFormId. Returns 0 when
// printed, 1 when the file could not be read or the PDF not written (the user has
// been told, with the German error naming the file). Records of the file that are
// broken are skipped and reported; the others print.
int PrintFile(CWnd* pParent, const CString& strMdId, const CString& strFormId,
              const CString& strPath, int, int);
