// Whether the dialogs can be shown is asked before Qt would end the program.
#include "host/Cp1252.h"
#include "host/gui/DisplayCheck.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>

namespace {

// Sets environment variables for one test and restores them afterwards.
class CEnv {
public:
    void Set(const char* szName, const char* szValue) {
        if (!m_saved.count(szName)) {
            const char* psz = std::getenv(szName);
            m_saved[szName] = psz ? std::optional<std::string>(psz) : std::nullopt;
        }
        if (szValue)
            setenv(szName, szValue, 1);
        else
            unsetenv(szName);
    }
    ~CEnv() {
        for (const auto& [strName, value] : m_saved)
            Set(strName.c_str(), value ? value->c_str() : nullptr);
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

TEST(DisplayCheck, AnX11DisplayThatCannotBeOpenedIsNamedInGerman) {
    struct Fall {
        const char* szPlatform;
        const char* szDisplay;
        const char* szWayland;
        bool bOk;
        const char* szText; // part of the message
    } faelle[] = {
        {nullptr, ":4711", nullptr, false,
         "Der Bildschirm \":4711\" (DISPLAY) l\xE4sst sich nicht"},
        {"xcb", "nirgendwo.invalid:3", nullptr, false, "\"nirgendwo.invalid:3\""},
        {nullptr, nullptr, nullptr, false, "DISPLAY ist nicht gesetzt"},
        {"offscreen", nullptr, nullptr, true, ""},
        {nullptr, nullptr, "wayland-0", true, ""},
    };
    for (const Fall& f : faelle) {
        CEnv env;
        env.Set("QT_QPA_PLATFORM", f.szPlatform);
        env.Set("DISPLAY", f.szDisplay);
        env.Set("WAYLAND_DISPLAY", f.szWayland);
        CString strError;
        EXPECT_EQ(CanOpenDisplay(strError), f.bOk) << (f.szDisplay ? f.szDisplay : "-");
        EXPECT_NE(strError.find(f.szText), CString::npos) << strError;
        EXPECT_EQ(strError.empty(), f.bOk);
    }
}

} // namespace
