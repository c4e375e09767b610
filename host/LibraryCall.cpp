#include "host/LibraryCall.h"

#include "host/HostServices.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

CString ProgrammOrdner() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec || !exe.is_absolute() ? CString() : exe.parent_path().string();
}

CString ModulDatei(const CString& strOrdner, const CString& strName) {
    return strOrdner + "/lib" + strName + ".so";
}

CLibraryCall::CLibraryCall(const char* szLibrary, const CString& strOrdner) {
    if (!szLibrary) {
        m_hLibrary = dlopen(nullptr, RTLD_NOW);
        return;
    }
    m_strName = szLibrary;
    const CString strFolder = strOrdner.empty() ? ProgrammOrdner() : strOrdner;
    // A name with a slash would leave the folder; a relative folder would depend on
    // the current one.
    if (strFolder.empty() || strFolder.front() != '/' || m_strName.empty() ||
        m_strName.find('/') != CString::npos)
        return;
    m_strPath = ModulDatei(strFolder, m_strName);
    m_hLibrary = dlopen(m_strPath.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* CLibraryCall::Find(const char* szFunction) {
    const CString strFunction = szFunction ? szFunction : "";
    if (!m_hLibrary) {
        TkHaltE("LoadLibrary fehlgeschlagen!", m_strName + "\n" + strFunction);
        return nullptr;
    }
    void* pFunction = strFunction.empty() ? nullptr : dlsym(m_hLibrary, strFunction.c_str());
    if (!pFunction) TkHaltE("Hinweis", "Programm in Vorbereitung!");
    return pFunction;
}
