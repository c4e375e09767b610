#pragma once
// Looks up an exported function of another program module of the practice system
// and keeps the module loaded. A module "NAME" is the file "libNAME.so" in the
// program's own module folder, the folder of the running executable; it is loaded
// by that absolute path only, never through a search path or from the current
// folder, so that no library placed elsewhere is ever taken for it.
#include "host/CString.h"

class CLibraryCall {
public:
    // szLibrary nullptr: the running program itself. strOrdner "": the program's
    // module folder; another (absolute) folder only for modules of the tests.
    explicit CLibraryCall(const char* szLibrary, const CString& strOrdner = "");

    // The function's address, or nullptr after the host's error box: "LoadLibrary
    // fehlgeschlagen!" when the module cannot be loaded, "Programm in
    // Vorbereitung!" when it does not export the function.
    void* Find(const char* szFunction);
    template <class Fn> Fn* Find(const char* szFunction) {
        return reinterpret_cast<Fn*>(Find(szFunction));
    }

    bool IsLoaded() const { return m_hLibrary != nullptr; }
    const CString& GetPath() const { return m_strPath; } // "" for the program itself

private:
    CString m_strName;
    CString m_strPath;
    void* m_hLibrary = nullptr; // never closed: the module stays loaded
};

// The folder of the running executable, without a trailing slash; "" when unknown.
CString ProgrammOrdner();
// The file of module strName in folder strOrdner: "<folder>/lib<name>.so".
CString ModulDatei(const CString& strOrdner, const CString& strName);
