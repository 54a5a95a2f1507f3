#pragma once
// The procedures the optimizer window hands its selected solution to, as the program wires them:
// the save window (which prints the new cutting order's summary cut list), the cut lists detailed
// and summarised, and the extensions export to the clipboard.

#include "optimizer/gui/MakeOptimalCut.h"

#include <functional>
#include <memory>

class QWidget;

namespace ui {
struct WindowContext;
namespace report { class ReportOutput; }
} // namespace ui

namespace kadrel {

// Where a cut list goes: the print preview in the program, a PDF file in tests.
using ReportOutputFactory = std::function<std::unique_ptr<ui::report::ReportOutput>()>;

// The hand-over over the context's database and services; the cut lists print in the language of
// the setup parameter GLO:LANGUAGE. The context must outlive the hand-over.
SolutionHandOver solutionHandOver(ui::WindowContext& context, ReportOutputFactory output, QWidget* parent = nullptr);

} // namespace kadrel
