#include "ui/form/DateText.h"

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
    for (const QString& format : {QStringLiteral("d.M.yyyy"), QStringLiteral("yyyy-M-d")}) {
        const QDate date = QDate::fromString(trimmed, format);
        if (date.isValid())
            return {true, date};
    }
    return {false, {}};
}

} // namespace ui
