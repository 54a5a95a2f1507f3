#include "MakeOptimalCut.h"

#include "GuiThreadBridge.h"
#include "OptimizerWindow.h"
#include "Services.h"

namespace kadrel {

void makeOptimalCut(OptimizerInput& input, const global::Services& services, const OptimizerCall& call,
                    const WindowLayoutStores& layout, const SolutionHandOver& handOver, QWidget* parent)
{
    // The calculation runs on a worker thread: its record reads and its messages are carried
    // over to this thread.
    GuiThreadInput records(input);
    GuiThreadDialogs dialogs(services.dialogs);
    OptimizerRun run(records, RunServices{dialogs, services.clipboard, services.clock}, call, windowRunSettings());
    OptimizerWindow window(run, services.dialogs, layout, handOver, parent);
    window.setStartWhenShown(true);
    window.exec();
}

} // namespace kadrel
