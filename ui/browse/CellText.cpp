#include "ui/browse/CellText.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <cmath>

namespace ui {

namespace {

QString groupDigits(const QString& digits)
{
    QString grouped;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += QLatin1Char(' ');
        grouped += digits.at(i);
    }
    return grouped;
}

QString wholeText(qlonglong value, bool grouped)
{
    const qulonglong magnitude = value < 0 ? 0ULL - qulonglong(value) : qulonglong(value);
    const QString digits = QString::number(magnitude);
    return (value < 0 ? QStringLiteral("-") : QString()) + (grouped ? groupDigits(digits) : digits);
}

QString realText(double value, const NumberFormat& format)
{
    const QString text = QString::number(std::fabs(value), 'f', qMax(0, format.decimals));
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point);
    const bool negative = value < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (negative ? QStringLiteral("-") : QString()) + (format.grouped ? groupDigits(whole) : whole) + fraction;
}

} // namespace

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float: return true;
    default: return false;
    }
}

QString cellText(const QVariant& value, const NumberFormat& format)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        return format.blankZero && v == 0 ? QString() : realText(v, format);
    }
    case QMetaType::ULongLong: {
        const qulonglong v = value.toULongLong();
        if (format.blankZero && v == 0)
            return {};
        return format.grouped ? groupDigits(QString::number(v)) : QString::number(v);
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort: {
        const qlonglong v = value.toLongLong();
        return format.blankZero && v == 0 ? QString() : wholeText(v, format.grouped);
    }
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }
    case QMetaType::QTime: {
        const QTime t = value.toTime();
        return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : QString();
    }
    default: return value.toString();
    }
}

} // namespace ui
