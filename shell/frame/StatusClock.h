#pragma once
// The date and time fields of the frame's status bar.

#include <QDate>
#include <QString>
#include <QTime>

namespace shell {

// The day's English name (the status bar uses them in both languages), Sunday first.
QString dayName(const QDate& date);
// "Monday, 07.12.2026"
QString dayAndDateText(const QDate& date);
// "09:05:03"
QString timeText(const QTime& time);

} // namespace shell
