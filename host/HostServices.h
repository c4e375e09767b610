#pragma once
// Messages, questions and the progress box of the host, behind one interface that
// the application installs: a Qt implementation for the dialogs, a terminal one
// for the command line, a scripted one for the tests.
#include "host/CString.h"

#include <memory>

// Answers of SollIch and SollIchAbbruch.
constexpr int kAntwortJa = 10;
constexpr int kAntwortNein = 11;
constexpr int kAntwortAbbruch = 12;

class IHostServices {
public:
    virtual ~IHostServices() = default;
    enum class Art { Halt, HaltE, HaltI, TkHaltE };
    virtual void Message(Art art, const CString& strTitel, const CString& strText) = 0;
    // Yes/no question (bMitAbbruch false) or yes/no/cancel question; returns a kAntwort value.
    virtual int Question(const CString& strTitel, const CString& strText, bool bMitAbbruch) = 0;
    virtual void OpenProgress(const CString& strText) = 0;
    virtual bool UpdateProgress(long nDone, long nTotal) = 0; // false: the user cancelled
    virtual void CloseProgress() = 0;
};

// Installs the implementation used from now on; returns the previous one. Without
// an installed implementation the terminal one is used.
std::shared_ptr<IHostServices> InstallHostServices(std::shared_ptr<IHostServices> services);
IHostServices& HostServices();

// The host's text resources (German). Returns false and leaves text as it was
// for an unknown number.
bool LoadVxString(int nId, CString& text);
CString VxString(int nId); // the text, or "" when unknown

// Caption given as text or as a number of LoadVxString.
void Halt(const CString& strTitel, const CString& strText, int = 0);
void Halt(int nTitel, const CString& strText, int = 0);
void HaltE(const CString& strTitel, const CString& strText, int = 0);
void HaltE(int nTitel, const CString& strText, int = 0);
void HaltI(const CString& strTitel, const CString& strText, int = 0);
void HaltI(int nTitel, const CString& strText, int = 0);
void TkHaltE(const CString& strTitel, const CString& strText, int = 0);
void TkHaltE(int nTitel, const CString& strText, int = 0);
int SollIch(const CString& strTitel, const CString& strText, int = 0);
int SollIch(int nTitel, const CString& strText, int = 0);
int SollIchAbbruch(const CString& strTitel, const CString& strText, int = 0);
int SollIchAbbruch(int nTitel, const CString& strText, int = 0);

void VxOpenProgressBox(const CString& strText);
void VxOpenProgressBox(int nTextId);
bool VxUpdateProgressBox2(long nDone, long nTotal);
void VxCloseProgressBox();
