#pragma once
// Whole numbers given on a command line: decimal digits and nothing else (no sign, no spaces before
// or after, no other characters), at most a given value.

#include <QStringView>

#include <cstdint>
#include <optional>

namespace global {

inline std::optional<uint64_t> readWholeNumber(QStringView text, uint64_t max)
{
    if (text.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const uint64_t digit = static_cast<uint64_t>(c.unicode() - u'0');
        if (digit > max || value > (max - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace global
