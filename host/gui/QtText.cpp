#include "host/gui/QtText.h"

#include "host/Cp1252.h"

#include <array>

namespace {

// The UTF-16 unit of each of the 256 bytes, built once from the host's table.
const std::array<char16_t, 256>& Units() {
    static const std::array<char16_t, 256> units = [] {
        std::array<char16_t, 256> table{};
        for (int n = 0; n < 256; ++n) {
            const char byte = static_cast<char>(n);
            table[n] = QString::fromUtf8(Cp1252ToUtf8(std::string_view(&byte, 1))).at(0).unicode();
        }
        return table;
    }();
    return units;
}

} // namespace

QString ToQString(std::string_view cp1252) {
    if (IsAscii(cp1252))
        return QString::fromLatin1(cp1252.data(), static_cast<qsizetype>(cp1252.size()));
    const auto& units = Units();
    QString text(static_cast<qsizetype>(cp1252.size()), Qt::Uninitialized);
    QChar* pOut = text.data();
    for (const char c : cp1252)
        *pOut++ = QChar(units[static_cast<unsigned char>(c)]);
    return text;
}

CString FromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}
