#pragma once
// The duration of a calculation as the optimizer shows it beside the method.

#include <QDateTime>
#include <QString>
#include <cstdint>

namespace kadrel {

// Hundredths of a second from the start to now (LOC:OPT_TIME_ULONG).
uint32_t durationHundredths(const QDateTime& start, const QDateTime& now);

// " Metoda <mode> Czas obl. = <time>" where the time reads hh:mm:ss, preceded by the day count
// when the calculation took a day or more.
QString durationText(uint8_t mode, uint32_t hundredths);

} // namespace kadrel
