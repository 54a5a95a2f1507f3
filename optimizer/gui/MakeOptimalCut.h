#pragma once
// MAKEOPTIMALCUT: the optimizer's control screen for one profile. Prepares demand and stock,
// computes every solution on a worker thread while the window shows its progress, then lists the
// solutions with the cutting plan and statistics of the selected one, and hands the
// selected solution over to acceptance, the cut lists, the extensions export or the clipboard.

#include "optimizer/OptimizerRun.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace ui { struct WindowContext; }

namespace kadrel {

// The procedures the selected solution is handed to. A button whose procedure is missing stays
// disabled.
struct SolutionHandOver {
    // Acceptance (SAVECUTS); the window closes after it returns.
    std::function<void(uint32_t profile, const SolutionItemTable&, const SolutionSubitemTable&, const Statistics&)> save;
    // Cut lists (PRINTCUTS), detailed or summarised.
    std::function<void(uint32_t profile, const SolutionItemTable&, const SolutionSubitemTable&, bool summary)> print;
    // Extensions export (EXTENSIONSEXPORT).
    std::function<void(uint32_t profile, const SolutionItemTable&, const SolutionSubitemTable&)> extensionsExport;
};

inline const QString OptimizerWindowSection = QStringLiteral("MakeOptimalCut");

// The settings a run takes from the program's globals (saw width, joint tolerance) with the
// window's control time of one minute.
RunSettings windowRunSettings();

class OptimizerWindow;

// One call of the window: the run over bridges to the caller's thread (the calculation runs on a
// worker thread, its record reads and messages are carried over to the caller's thread) and the
// window over the run. The window works with the context's services and keeps its layout where the
// context says: Barmond.ini (section "MakeOptimalCut") and, per station, the list formats and
// control positions (procedure "MakeOptimalCut").
class OptimizerWindowCall {
public:
    OptimizerWindowCall(ui::WindowContext& context, OptimizerInput& input, const OptimizerCall& call,
                        const SolutionHandOver& handOver = {}, const RunSettings& settings = windowRunSettings(),
                        QWidget* parent = nullptr);
    ~OptimizerWindowCall();

    OptimizerRun& run() { return *run_; }
    OptimizerWindow& window() { return *window_; }
    // Shows the window modally, computes, and returns when the window closes.
    int exec();

private:
    std::unique_ptr<OptimizerInput> records_;
    std::unique_ptr<global::Dialogs> dialogs_;
    std::unique_ptr<OptimizerRun> run_;
    std::unique_ptr<OptimizerWindow> window_;
};

// Opens the window modally and returns when it closes. The records are read on the caller's
// thread; messages and questions go through the context's dialogs on the caller's thread.
void makeOptimalCut(ui::WindowContext& context, OptimizerInput& input, const OptimizerCall& call,
                    const SolutionHandOver& handOver = {}, QWidget* parent = nullptr);

} // namespace kadrel
