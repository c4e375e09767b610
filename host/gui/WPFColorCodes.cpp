#include "host/gui/WPFColorCodes.h"

#include "host/TextUtil.h"

namespace {

struct CodeColor {
    const char* szCode;
    QRgb rgb;
};

const CodeColor kColors[] = {
    {"113", qRgb(0xC6, 0x28, 0x28)},
    {"114", qRgb(0x75, 0x75, 0x75)},
    {"48", qRgb(0xB3, 0x4A, 0x00)},
};

} // namespace

bool CWPFColorCodes::Foreground(const CString& strCode, QColor& color) {
    const CString strKey = Trim(strCode);
    for (const CodeColor& entry : kColors) {
        if (strKey == entry.szCode) {
            color = QColor(entry.rgb);
            return true;
        }
    }
    return false;
}

bool CWPFColorCodes::Background(const CString& strCode, QColor& color) {
    QColor base;
    if (!Foreground(strCode, base)) return false;
    constexpr double kTint = 0.15; // share of the colour in the white background
    color = QColor::fromRgbF(static_cast<float>(1.0 - kTint * (1.0 - base.redF())),
                             static_cast<float>(1.0 - kTint * (1.0 - base.greenF())),
                             static_cast<float>(1.0 - kTint * (1.0 - base.blueF())));
    return true;
}
