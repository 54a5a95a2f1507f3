#pragma once
// Reading a number typed as text, as the program reads numbers entered in its settings and
// imports: spaces group thousands and are dropped; of "." and "," the last one in the text is the
// decimal point and the others group thousands. So "1 234,5" is 1234.5, "1,234.56" is 1234.56,
// "1.234.567,89" is 1234567.89, "1 000" is 1000, "12" is 12 and an empty text 0. A text that
// holds no number gives 0; the number stops at the first character that cannot continue it.

#include <QString>

namespace global {

double deform(const QString& text);

} // namespace global
