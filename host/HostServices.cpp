#include "host/HostServices.h"

#include "host/TerminalHostServices.h"
#include "host/VxStrings.h"

namespace {

using Art = IHostServices::Art;

// Installed and replaced on the user-interface thread only, like every call below.
std::shared_ptr<IHostServices>& Installed() {
    static std::shared_ptr<IHostServices> services;
    return services;
}

// A caption number without a text still gives the box a sensible caption.
CString Caption(int nTitel, int nFallback) {
    CString text;
    return LoadVxString(nTitel, text) ? text : VxString(nFallback);
}

int FallbackCaption(Art art) {
    return (art == Art::HaltE || art == Art::TkHaltE) ? kVxStrFehler : kVxStrHinweis;
}

void Message(Art art, const CString& strTitel, const CString& strText) {
    HostServices().Message(art, strTitel, strText);
}

void Message(Art art, int nTitel, const CString& strText) {
    Message(art, Caption(nTitel, FallbackCaption(art)), strText);
}

} // namespace

std::shared_ptr<IHostServices> InstallHostServices(std::shared_ptr<IHostServices> services) {
    Installed().swap(services);
    return services;
}

IHostServices& HostServices() {
    static CTerminalHostServices terminal;
    IHostServices* pInstalled = Installed().get();
    return pInstalled ? *pInstalled : terminal;
}

void Halt(const CString& strTitel, const CString& strText, int) {
    Message(Art::Halt, strTitel, strText);
}
void Halt(int nTitel, const CString& strText, int) {
    Message(Art::Halt, nTitel, strText);
}
void HaltE(const CString& strTitel, const CString& strText, int) {
    Message(Art::HaltE, strTitel, strText);
}
void HaltE(int nTitel, const CString& strText, int) {
    Message(Art::HaltE, nTitel, strText);
}
void HaltI(const CString& strTitel, const CString& strText, int) {
    Message(Art::HaltI, strTitel, strText);
}
void HaltI(int nTitel, const CString& strText, int) {
    Message(Art::HaltI, nTitel, strText);
}
void TkHaltE(const CString& strTitel, const CString& strText, int) {
    Message(Art::TkHaltE, strTitel, strText);
}
void TkHaltE(int nTitel, const CString& strText, int) {
    Message(Art::TkHaltE, nTitel, strText);
}

int SollIch(const CString& strTitel, const CString& strText, int) {
    return HostServices().Question(strTitel, strText, false);
}
int SollIch(int nTitel, const CString& strText, int) {
    return SollIch(Caption(nTitel, kVxStrFrage), strText);
}
int SollIchAbbruch(const CString& strTitel, const CString& strText, int) {
    return HostServices().Question(strTitel, strText, true);
}
int SollIchAbbruch(int nTitel, const CString& strText, int) {
    return SollIchAbbruch(Caption(nTitel, kVxStrFrage), strText);
}

void VxOpenProgressBox(const CString& strText) {
    HostServices().OpenProgress(strText);
}
void VxOpenProgressBox(int nTextId) {
    VxOpenProgressBox(Caption(nTextId, kVxStrBitteWarten));
}
bool VxUpdateProgressBox2(long nDone, long nTotal) {
    return HostServices().UpdateProgress(nDone, nTotal);
}
void VxCloseProgressBox() {
    HostServices().CloseProgress();
}
