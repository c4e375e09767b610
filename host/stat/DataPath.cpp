#include "host/stat/DataPath.h"

#include "host/Cp1252.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string& Override() {
    static std::string strDir;
    return strDir;
}

std::string Env(const char* pszName) {
    const char* pszValue = std::getenv(pszName);
    return pszValue ? pszValue : "";
}

std::string DefaultDir() {
    if (const std::string strDir = Env("VXSTAT_DATA"); !strDir.empty()) return strDir;
    if (const std::string strXdg = Env("XDG_DATA_HOME"); !strXdg.empty())
        return (fs::path(strXdg) / "vxstat").string();
    // Without HOME the folder lies below the working directory.
    return (fs::path(Env("HOME")) / ".local" / "share" / "vxstat").string();
}

} // namespace

std::string DataDirName() {
    return Override().empty() ? DefaultDir() : Override();
}

std::string GetDataDir() {
    const std::string strDir = DataDirName();
    std::error_code ec;
    fs::create_directories(strDir, ec);
    return strDir;
}

void SetDataDir(const std::string& strDir) {
    Override() = strDir;
}

bool GetDatFilePath(const CString& strName, CString& strPath) {
    const std::string strDir = GetDataDir();
    std::error_code ec;
    if (!fs::is_directory(strDir, ec)) return false;
    strPath = (fs::path(strDir) / Cp1252ToUtf8(strName)).string();
    return true;
}
