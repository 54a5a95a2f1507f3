#pragma once
// The printer the program prints on, chosen with "Ustawienia drukarki" and kept for the run.

class QPrinter;
class QWidget;

namespace shell {

QPrinter& programPrinter();
// Qt's printer set-up dialog over the program's printer; returns true when the user accepted it.
bool choosePrinter(QWidget* parent);

} // namespace shell
