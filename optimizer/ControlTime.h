#pragma once
// The control time of a calculation: when the combination search runs longer than the limit,
// the operator is asked whether to stop, allow five more minutes, or compute to the end.

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace global {
class Clock;
class Dialogs;
} // namespace global

namespace kadrel {

class ControlTime {
public:
    // A limit of this many minutes or more means the time is not controlled.
    static constexpr uint32_t NoControl = 10000;
    static const QString Question;
    static const QStringList Buttons;

    ControlTime(global::Clock& clock, global::Dialogs& dialogs) : clock_(clock), dialogs_(dialogs) {}

    // Starts the controlled period now (GLO:START_CALC_DATE/TIME) with a limit in minutes
    // (GLO:CALC_TIME_LIMIT).
    void start(uint32_t limitMinutes);
    // Asks the operator when the controlled period has run past the limit. Returns false when
    // the operator chose to stop the calculation.
    bool check();

    uint32_t limit() const { return limit_; }
    // Minutes elapsed since the controlled period started.
    double elapsedMinutes() const;

private:
    global::Clock& clock_;
    global::Dialogs& dialogs_;
    QDate startDate_;
    int64_t startTime_ = 0;   // hundredths of a second since midnight
    uint32_t limit_ = NoControl;
};

// Hundredths of a second since midnight of a time of day.
int64_t hundredthsOfDay(const QTime& time);

} // namespace kadrel
