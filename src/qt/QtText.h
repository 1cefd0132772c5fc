#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qm::qt {

// UTF-16 model text to Qt and back (both are UTF-16: no conversion of the code units).
inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string FromQString(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<size_t>(text.size()));
}

// A caption for a widget that shows "&" literally (labels): "&x" loses the marker, "&&" is "&".
QString WithoutMnemonic(const QString& caption);

} // namespace qm::qt
