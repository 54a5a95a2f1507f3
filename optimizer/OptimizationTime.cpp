#include "optimizer/OptimizationTime.h"

namespace kadrel {

namespace {

constexpr uint32_t HundredthsPerDay = 8640000;
constexpr int MaxTimeChars = 15;

int64_t hundredthsSinceMidnight(const QTime& time)
{
    return time.msecsSinceStartOfDay() / 10;
}

QString twoDigits(uint32_t value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

uint32_t durationHundredths(const QDateTime& start, const QDateTime& now)
{
    const int64_t days = start.date().daysTo(now.date());
    const int64_t value = days * HundredthsPerDay + hundredthsSinceMidnight(now.time())
        - hundredthsSinceMidnight(start.time());
    return value < 0 ? 0u : static_cast<uint32_t>(value);
}

QString durationText(uint8_t mode, uint32_t hundredths)
{
    const uint32_t days = hundredths / HundredthsPerDay;
    uint32_t rest = hundredths % HundredthsPerDay;
    const uint32_t hours = rest / 360000;
    rest %= 360000;
    const uint32_t minutes = rest / 6000;
    const uint32_t seconds = (rest % 6000) / 100;

    // The day field is three characters wide and left out when the calculation took no day; the
    // blank that pads it in front is not shown.
    const QString clock = twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':')
        + twoDigits(seconds);
    QString time = days == 0 ? clock
                             : (QStringLiteral("%1").arg(days, 3) + QLatin1Char(':') + clock).mid(1);
    return QStringLiteral(" Metoda %1 Czas obl. = ").arg(mode) + time.left(MaxTimeChars);
}

} // namespace kadrel
