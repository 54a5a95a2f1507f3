#include "optimizer/gui/MakeOptimalCut.h"

#include "global/Services.h"
#include "optimizer/gui/GuiThreadInput.h"
#include "optimizer/gui/OptimizerWindow.h"

namespace kadrel {

OptimizerWindowCall::OptimizerWindowCall(OptimizerInput& input, const global::Services& services,
                                         const OptimizerCall& call, const WindowLayoutStores& layout,
                                         const SolutionHandOver& handOver, const RunSettings& settings,
                                         QWidget* parent)
    : records_(std::make_unique<GuiThreadInput>(input)),
      dialogs_(std::make_unique<ui::GuiThreadDialogs>(services.dialogs)),
      run_(std::make_unique<OptimizerRun>(*records_, RunServices{*dialogs_, services.clipboard, services.clock}, call,
                                          settings)),
      window_(std::make_unique<OptimizerWindow>(*run_, services.dialogs, layout, handOver, parent))
{
}

OptimizerWindowCall::~OptimizerWindowCall()
{
    window_.reset();   // waits for a calculation still running
}

int OptimizerWindowCall::exec()
{
    window_->setStartWhenShown(true);
    return window_->exec();
}

void makeOptimalCut(OptimizerInput& input, const global::Services& services, const OptimizerCall& call,
                    const WindowLayoutStores& layout, const SolutionHandOver& handOver, QWidget* parent)
{
    OptimizerWindowCall windowCall(input, services, call, layout, handOver, windowRunSettings(), parent);
    windowCall.exec();
}

} // namespace kadrel
