#include "shell/frame/StatusClock.h"

#include <array>

namespace shell {

QString dayName(const QDate& date)
{
    static const std::array<const char*, 7> names = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};
    if (!date.isValid())
        return {};
    return QString::fromLatin1(names[size_t(date.dayOfWeek() % 7)]);   // Qt counts Monday = 1 … Sunday = 7
}

QString dayAndDateText(const QDate& date)
{
    return dayName(date) + QStringLiteral(", ") + date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("hh:mm:ss"));
}

} // namespace shell
