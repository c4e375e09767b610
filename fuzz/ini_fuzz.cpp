// The ini reader on arbitrary files, and the two selection readers that use it:
// no crash, no undefined behaviour, and every value read survives being written
// and read again byte for byte.
#include "core/File2LU.h"
#include "glab/File2Glab.h"
#include "glab/GlabSum.h"
#include "host/DBIniFile.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Files go to memory where there is a memory file system: saving syncs to disk.
std::string TempPath(const char* pszName) {
    const std::filesystem::path dir = std::filesystem::is_directory("/dev/shm")
                                          ? std::filesystem::path("/dev/shm")
                                          : std::filesystem::temp_directory_path();
    return (dir / ("vxstat-fuzz-" + std::to_string(getpid()) + "-" + pszName)).string();
}

void WriteFile(const std::string& strPath, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// The sections and keys the seeds use; the fuzzer finds others from them.
constexpr const char* kSections[] = {"Selektion", "selektion", "A", ""};
constexpr const char* kKeys[] = {"PlanArten", "IsLRech", "LstErfasst", "Laborkunde", "K", ""};

void CheckRoundTrip(const CDBIniFile& ini) {
    const std::string strCopy = TempPath("copy.ini");
    CDBIniFile copy(strCopy);
    for (const char* s : kSections)
        for (const char* k : kKeys)
            copy.WriteString(s, k, ini.ReadString(s, k, "\x01-"));
    if (!copy.Save()) return;
    const CDBIniFile back(strCopy);
    for (const char* s : kSections)
        for (const char* k : kKeys)
            if (back.ReadString(s, k, "") != copy.ReadString(s, k, "")) std::abort();
    std::filesystem::remove(strCopy);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string strPath = TempPath("sel.ini");
    WriteFile(strPath, data, size);
    const CDBIniFile ini(strPath);
    CheckRoundTrip(ini);

    CLUSum luSum;
    CFile2LU luReader(&luSum, nullptr);
    luReader.ReadMoreSelektions(strPath);
    CGlabSum glabSum;
    CFile2Glab glabReader(&glabSum, nullptr);
    glabReader.ReadMoreSelektions(strPath);
    std::filesystem::remove(strPath);
    return 0;
}
