#include "optimizer/gui/SolutionHandOvers.h"

#include "global/Globals.h"
#include "optimizer/ExtensionsExport.h"
#include "optimizer/cutlist/CutListReport.h"
#include "optimizer/gui/SaveCutsWindow.h"
#include "ui/report/ReportOutput.h"
#include "ui/window/WindowContext.h"

namespace kadrel {

SolutionHandOver solutionHandOver(ui::WindowContext& context, ReportOutputFactory output, QWidget* parent)
{
    const CutListPrinter printCutList = [&context, output](uint32_t profile, const SolutionItemTable& bars,
                                                           const SolutionSubitemTable& pieces, uint32_t transaction,
                                                           bool summary) {
        const std::unique_ptr<ui::report::ReportOutput> destination = output();
        const CutListPrinting printing{context.database, context.services, *destination};
        printCuts(printing, global::glo().language, profile, bars, pieces, transaction, summary);
    };
    SolutionHandOver handOver;
    handOver.save = [&context, printCutList, parent](uint32_t profile, const SolutionItemTable& bars,
                                                     const SolutionSubitemTable& pieces, const Statistics& statistics) {
        saveCutsWindow(context, profile, bars, pieces, statistics, printCutList, parent);
    };
    handOver.print = [printCutList](uint32_t profile, const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
                                    bool summary) { printCutList(profile, bars, pieces, 0, summary); };
    handOver.extensionsExport = [&context](uint32_t profile, const SolutionItemTable& bars,
                                           const SolutionSubitemTable& pieces) {
        extensionsExport(context.database, context.services, profile, bars, pieces, 0);
    };
    return handOver;
}

} // namespace kadrel
