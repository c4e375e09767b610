#include "print/LUStand.h"

#include "host/TextUtil.h"

#include <sys/stat.h>

#include <ctime>

CString LUStandDatum(const std::string& strDataDir) {
    struct stat st {};
    const std::string strPath = strDataDir + "/vx_slu.txt";
    if (::stat(strPath.c_str(), &st) != 0) return Db2Date(GetTKDate());
    std::tm tmLokal{};
    localtime_r(&st.st_mtime, &tmLokal);
    char szDb[16];
    std::strftime(szDb, sizeof szDb, "%Y%m%d", &tmLokal);
    return Db2Date(szDb);
}
