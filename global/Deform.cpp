#include "global/Deform.h"

namespace global {

namespace {

constexpr int MaxDigits = 20;

bool isSeparator(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char(',');
}

// The text rewritten with "." as the only decimal point and no grouping characters.
QString normalized(const QString& text)
{
    QString result;
    bool decimalPointMet = false;
    for (int i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if (c.isSpace())
            continue;
        if (isSeparator(c)) {
            if (!decimalPointMet)
                result.prepend(QLatin1Char('.'));
            decimalPointMet = true;
            continue;
        }
        result.prepend(c);
    }
    return result.left(MaxDigits);
}

// The longest leading part of the text that reads as a decimal number.
double leadingNumber(const QString& s)
{
    int end = 0;
    if (end < s.size() && (s.at(end) == QLatin1Char('-') || s.at(end) == QLatin1Char('+')))
        ++end;
    while (end < s.size() && s.at(end).isDigit())
        ++end;
    if (end < s.size() && s.at(end) == QLatin1Char('.')) {
        ++end;
        while (end < s.size() && s.at(end).isDigit())
            ++end;
    }
    bool ok = false;
    const double value = s.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace

double deform(const QString& text)
{
    return leadingNumber(normalized(text));
}

} // namespace global
