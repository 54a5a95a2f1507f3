#include "optimizer/gui/MakeOptimalCut.h"

#include "global/Services.h"
#include "optimizer/gui/GuiThreadInput.h"
#include "optimizer/gui/OptimizerWindow.h"
#include "ui/window/WindowContext.h"

namespace kadrel {

OptimizerWindowCall::OptimizerWindowCall(ui::WindowContext& context, OptimizerInput& input, const OptimizerCall& call,
                                         const SolutionHandOver& handOver, const RunSettings& settings,
                                         QWidget* parent)
    : records_(std::make_unique<GuiThreadInput>(input)),
      dialogs_(std::make_unique<ui::GuiThreadDialogs>(context.services.dialogs)),
      run_(std::make_unique<OptimizerRun>(
          *records_, RunServices{*dialogs_, context.services.clipboard, context.services.clock}, call, settings)),
      window_(std::make_unique<OptimizerWindow>(*run_, context, handOver, parent))
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

void makeOptimalCut(ui::WindowContext& context, OptimizerInput& input, const OptimizerCall& call,
                    const SolutionHandOver& handOver, QWidget* parent)
{
    OptimizerWindowCall windowCall(context, input, call, handOver, windowRunSettings(), parent);
    windowCall.exec();
}

} // namespace kadrel
