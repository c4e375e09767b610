#include "app/Args.h"

#include "host/db/PgConnection.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

Args::Args(int argc, char** argv, int nFirst, const std::set<std::string>& allowed) {
    for (int i = nFirst; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.rfind("--", 0) != 0) {
            m_vecPositional.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        if (!allowed.count(name)) {
            m_strError = "Unbekannte Option: " + word;
            return;
        }
        if (i + 1 >= argc) {
            m_strError = "Der Option " + word + " fehlt ein Wert";
            return;
        }
        const std::string value = argv[++i];
        // An empty value is a slip (an unset shell variable), not a choice: left to
        // a default it would name another folder or file than the one meant.
        if (value.empty()) {
            m_strError = "Die Option " + word + " braucht einen Wert; ein leerer ist nicht erlaubt";
            return;
        }
        // A password on the command line is seen by every user of the machine:
        // refused as a wrong call before anything is opened.
        if (name == "db" && IsServerLocation(value)) m_strError = PgPasswordProblem(value);
        if (!m_strError.empty()) return;
        m_mapOptions[name] = value;
    }
}

std::optional<std::string> Args::Get(const std::string& name) const {
    const auto it = m_mapOptions.find(name);
    if (it == m_mapOptions.end()) return std::nullopt;
    return it->second;
}

std::string Args::GetOr(const std::string& name, const std::string& def) const {
    return Get(name).value_or(def);
}

long long Args::GetInt(const std::string& name, long long def, long long nMin, long long nMax) {
    const auto text = Get(name);
    if (!text) return def;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text->c_str(), &end, 10);
    if (text->empty() || *end != '\0' || errno == ERANGE || v < nMin || v > nMax) {
        if (m_strError.empty())
            m_strError = "--" + name + " erwartet eine Zahl von " + std::to_string(nMin) + " bis " +
                         std::to_string(nMax) + ", nicht \"" + *text + "\"";
        return def;
    }
    return v;
}

std::vector<char*> TakeFlag(int argc, char** argv, int nFirst, const std::string& flag,
                            bool& bSet) {
    std::vector<char*> vecArgs;
    for (int i = 0; i < argc; ++i) {
        if (i >= nFirst && argv[i] == flag)
            bSet = true;
        else
            vecArgs.push_back(argv[i]);
    }
    return vecArgs;
}

bool TargetFolderExists(const std::string& strFile) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(strFile).parent_path();
    return folder.empty() || std::filesystem::is_directory(folder, ec);
}

bool IsPlainNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}
