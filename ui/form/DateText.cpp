#include "ui/form/DateText.h"

#include <QRegularExpression>

namespace ui {

QString dateFieldText(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

TypedDate readDateField(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    // The year always has four digits: "7.4.26" is no date rather than one in the first century.
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.\\d{4}$"));
    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{1,2}-\\d{1,2}$"));
    QDate date;
    if (dotted.match(trimmed).hasMatch())
        date = QDate::fromString(trimmed, QStringLiteral("d.M.yyyy"));
    else if (iso.match(trimmed).hasMatch())
        date = QDate::fromString(trimmed, QStringLiteral("yyyy-M-d"));
    if (!date.isValid())
        return {false, {}};
    return {true, date};
}

} // namespace ui
