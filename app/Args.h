#pragma once
// Arguments of one command: positional words and "--name value" options.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class Args {
public:
    // Parses argv from index nFirst. Options not in allowed, or without a value,
    // or with an empty one, are errors (see Error()).
    Args(int argc, char** argv, int nFirst, const std::set<std::string>& allowed);

    const std::string& Error() const { return m_strError; }
    const std::vector<std::string>& Positional() const { return m_vecPositional; }
    std::optional<std::string> Get(const std::string& name) const;
    std::string GetOr(const std::string& name, const std::string& def) const;
    // A whole number in [nMin, nMax]; sets the error when the text is not one.
    long long GetInt(const std::string& name, long long def, long long nMin, long long nMax);

private:
    std::map<std::string, std::string> m_mapOptions;
    std::vector<std::string> m_vecPositional;
    std::string m_strError;
};

// Takes a flag without value (such as "--marked-only") out of argv from index
// nFirst, so that Args sees only options with values; bSet tells whether it was there.
std::vector<char*> TakeFlag(int argc, char** argv, int nFirst, const std::string& flag,
                            bool& bSet);

// True when the folder of a file to be written exists (or the name has none):
// checked before any work, so that nothing is done for a target that cannot be.
bool TargetFolderExists(const std::string& strFile);

// A number of at most nine decimal digits, nothing else (customer numbers and the like).
bool IsPlainNumber(const std::string& text);
