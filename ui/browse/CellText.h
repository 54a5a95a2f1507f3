#pragma once
// How the lists write a value: whole numbers with their digits grouped in threes by a space
// (12000 is "12 000"), real numbers with a fixed number of decimals, dates as dd.MM.yyyy, times of
// day as HH:mm, texts as they are.

#include <QString>
#include <QVariant>

namespace ui {

struct NumberFormat {
    int decimals = 0;         // for real numbers
    bool grouped = true;      // digits grouped in threes
    bool blankZero = false;   // 0 is shown as an empty cell
};

QString cellText(const QVariant& value, const NumberFormat& format = {});
// Whether the value is written as a number (the lists put numbers on the right).
bool isNumber(const QVariant& value);

} // namespace ui
