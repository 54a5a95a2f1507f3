#pragma once
// Dates typed into a form field: written as the lists write them (dd.MM.yyyy), read in that form,
// without leading zeros (7.4.2026) or as 2026-04-07. An empty field is no date.

#include <QDate>
#include <QString>

namespace ui {

QString dateFieldText(const QDate& date);

struct TypedDate {
    bool valid = true;   // false: the text is neither empty nor a date
    QDate date;          // none for an empty field
};

TypedDate readDateField(const QString& text);

} // namespace ui
