// The cut list of a large cutting specification written to PDF: 500 bars of four pieces each, in
// detail and summarised, from reading the piece records to the finished file.
#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "optimizer/bench/LargeOrder.h"
#include "optimizer/cutlist/CutListReport.h"
#include "ui/report/PdfOutput.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kadrel;

namespace {

// 500 bars of 6000 with four pieces each from the 20 piece records, every tenth bar with its own
// leftover so that the summary still has many kinds of bar.
void solutionOf500Bars(uint32_t profileLengthId, SolutionItemTable& bars, SolutionSubitemTable& pieces)
{
    static const uint32_t pieceLengths[] = {2450, 1830, 960, 1200, 700};
    for (uint32_t b = 1; b <= 500; ++b) {
        SolutionItemRow bar;
        bar.id = b;
        bar.lenghtDbId = profileLengthId;
        bar.lenght = 6000;
        for (uint32_t k = 0; k < 4; ++k) {
            const uint32_t cut = 1 + (b + k) % 20;   // cut records 1..20: order (cut-1)/5, length (cut-1)%5
            SolutionSubitemRow piece;
            piece.itemId = b;
            piece.cutlenghtId = cut;
            piece.cutlenght = pieceLengths[(cut - 1) % 5] + ((cut - 1) / 5 + 1) * 10;
            bar.totalCutsLenght += piece.cutlenght;
            pieces.append(piece);
        }
        bar.scrap = bar.totalCutsLenght < 6000 ? 6000 - bar.totalCutsLenght : 0;
        bars.append(bar);
    }
}

void BM_CutListOf500Bars(benchmark::State& state)
{
    const bool summary = state.range(0) != 0;
    QTemporaryDir dir;
    global::Database db(dir.path());
    bench::check(db.open(), db.openErrorText());
    const uint32_t profile = bench::fillLargeOrder(db);
    SolutionItemTable bars;
    SolutionSubitemTable pieces;
    solutionOf500Bars(1, bars, pieces);
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    global::FixedIdentity identity;
    int pages = 0;
    for (auto _ : state) {
        ui::report::PdfOutput pdf(dir.filePath(QStringLiteral("cutlist.pdf")));
        const CutListPrinting printing{db, global::Services{dialogs, clipboard, clock, identity}, pdf};
        if (!printCutsPl(printing, profile, bars, pieces, 0, summary))
            state.SkipWithError(qPrintable(dialogs.messages().join(QLatin1Char('\n'))));
        pages = pdf.pages();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CutListOf500Bars)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
