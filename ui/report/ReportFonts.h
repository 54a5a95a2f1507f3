#pragma once
// The font every report prints in: DejaVu Sans, built into the program so that Polish letters
// print the same on every machine, with or without fonts installed.

#include <QString>

namespace ui::report {

// The family name of the embedded font, registered on first use (needs a QGuiApplication).
QString reportFontFamily();

} // namespace ui::report
