#include "optimizer/gui/NumberText.h"

#include <QRegularExpression>

#include <cmath>

namespace kadrel {

namespace {

QString groupDigits(const QString& digits)
{
    QString grouped;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += QLatin1Char(' ');
        grouped += digits.at(i);
    }
    return grouped;
}

} // namespace

QString groupedNumber(int64_t value)
{
    const QString digits = QString::number(value < 0 ? -static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
    return (value < 0 ? QStringLiteral("-") : QString()) + groupDigits(digits);
}

QString groupedDecimal(double value, int decimals)
{
    const QString text = QString::number(std::fabs(value), 'f', decimals);
    const int point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point);
    const bool negative = value < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (negative ? QStringLiteral("-") : QString()) + groupDigits(whole) + fraction;
}

QString metresText(double metres)
{
    return QString::number(metres, 'f', 3);
}

QString percentText(double percent)
{
    return QString::number(percent, 'f', 2) + QLatin1Char('%');
}

} // namespace kadrel
