#include "app/DataFolderOption.h"

#include "app/Args.h"
#include "app/CommandHelp.h"
#include "host/Cp1252.h"
#include "host/stat/DataPath.h"

#include <filesystem>

std::string DataDirForWriting(const Args& args) {
    if (const auto dir = args.Get("data")) SetDataDir(*dir);
    return GetDataDir();
}

bool DataDirForReading(const Args& args, std::string& strDir) {
    if (const auto dir = args.Get("data")) SetDataDir(*dir);
    strDir = DataDirName();
    std::error_code ec;
    if (std::filesystem::is_directory(strDir, ec)) return true;
    DataError(Utf8ToCp1252("Der Datenordner \"" + strDir +
                           "\" existiert nicht; ihn legt erst ein Durchlauf (pass) an."));
    return false;
}
