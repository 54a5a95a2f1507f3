#include "optimizer/ControlTime.h"

#include "global/Services.h"

#include <limits>

namespace kadrel {

const QString ControlTime::Question = QStringLiteral(
    "Obliczenia trwają dłużej niż czas kontrolny. Czy chcesz przerwać proces i wybrać inne opcje "
    "czy kontynuować ?");
const QStringList ControlTime::Buttons = QString(QStringLiteral(" Przerwij | Nast. 5 min. | Licz do skutku "))
                                             .split(QLatin1Char('|'));

int64_t hundredthsOfDay(const QTime& time)
{
    return time.msecsSinceStartOfDay() / 10;
}

void ControlTime::start(uint32_t limitMinutes)
{
    const QDateTime now = clock_.now();
    startDate_ = now.date();
    startTime_ = hundredthsOfDay(now.time());
    limit_ = limitMinutes;
}

double ControlTime::elapsedMinutes() const
{
    const QDateTime now = clock_.now();
    const int64_t days = startDate_.daysTo(now.date());
    return static_cast<double>(days) * 1440.0
        + static_cast<double>(hundredthsOfDay(now.time()) - startTime_) / 6000.0;
}

bool ControlTime::check()
{
    if (limit_ >= NoControl)
        return true;
    if (elapsedMinutes() <= static_cast<double>(limit_))
        return true;
    switch (dialogs_.ask(Question, Buttons)) {
    case 1: // five more minutes from now
        start(5);
        return true;
    case 2: // compute to the end, no further questions
        limit_ = std::numeric_limits<uint32_t>::max();
        return true;
    default:
        return false;
    }
}

} // namespace kadrel
