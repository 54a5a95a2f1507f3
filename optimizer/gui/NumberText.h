#pragma once
// How the optimizer window writes numbers: whole numbers with their digits grouped in threes by a
// space (12000 is "12 000"), metres with three decimals, percentages with two decimals and "%".

#include <QString>
#include <cstdint>

namespace kadrel {

QString groupedNumber(int64_t value);
// A real number with the given decimals, its whole part grouped like groupedNumber.
QString groupedDecimal(double value, int decimals);
QString metresText(double metres);
QString percentText(double percent);

} // namespace kadrel
