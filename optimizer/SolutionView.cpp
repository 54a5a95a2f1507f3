#include "optimizer/SolutionView.h"

#include "global/ErrorCodes.h"

namespace kadrel {

namespace {

constexpr int PatternWidth = 128;

} // namespace

const QString PieceIdentificationError = QStringLiteral("Błąd próby identyfikacji odcinka");

QString patternText(const std::vector<uint32_t>& pieceLengths)
{
    QString text;
    for (std::size_t i = 0; i < pieceLengths.size();) {
        std::size_t run = 1;
        while (i + run < pieceLengths.size() && pieceLengths[i + run] == pieceLengths[i])
            ++run;
        if (!text.isEmpty())
            text += QLatin1Char(';');
        text += QString::number(pieceLengths[i]);
        if (run > 1)
            text += QLatin1Char('x') + QString::number(run);
        i += run;
    }
    return text;
}

void showCutsSchema(const ResultTable& results, uint32_t combNo, uint32_t remnantLenght,
                    DisplayTable& display, Statistics& statistics)
{
    statistics.totalCuts = 0;
    statistics.totalPurescrap = 0;
    statistics.totalRemnant = 0;
    statistics.totalSaw = 0;
    statistics.totalRemnantPcs = 0;
    display.clear();

    struct Bar {
        DisplayRow row;
        std::vector<uint32_t> pieces;
    };
    std::vector<Bar> bars;
    for (const ResultRow& result : results) {
        if (result.combNo != combNo)
            continue;
        if (bars.empty() || bars.back().row.id != result.profileNo) {
            Bar bar;
            bar.row.id = result.profileNo;
            bar.row.lenght = result.profileLengt;
            bars.push_back(bar);
        }
        Bar& bar = bars.back();
        if (result.cutId == 0) {
            bar.row.leftover = result.cut;
            if (result.cut < remnantLenght) {
                statistics.totalPurescrap += result.cut / 1000.0;
            } else {
                statistics.totalRemnant += result.cut / 1000.0;
                statistics.totalRemnantPcs += 1;
            }
        } else {
            bar.pieces.push_back(result.cut);
            statistics.totalCuts += 1;
        }
    }
    for (Bar& bar : bars) {
        bar.row.cuts = patternText(bar.pieces).left(PatternWidth);
        display.append(bar.row);
    }
    display.sort([](const DisplayRow& a, const DisplayRow& b) {
        if (a.lenght != b.lenght)
            return a.lenght > b.lenght;
        return a.leftover < b.leftover;
    });
    uint32_t id = 0;
    for (DisplayRow& row : display)
        row.id = ++id;
}

void calculateStatistic(const RankingRow& solution, Statistics& statistics)
{
    statistics.totalLengh = solution.totalUsed / 1000.0;
    statistics.totalPcs = solution.profiles;
    statistics.cutLenght = static_cast<double>(solution.totalCuts) / 1000.0;
    statistics.totalScrap = solution.totalScrap / 1000.0;
    statistics.totalSaw = statistics.totalLengh - statistics.cutLenght - statistics.totalScrap;
    statistics.extensions = solution.extensions;
    if (statistics.cutLenght == 0) {
        statistics.cutLenghtPerc = 0;
        statistics.totalScrapPerc = 0;
        statistics.totalPurescrapPerc = 0;
        statistics.totalRemnantPerc = 0;
        statistics.totalSawPerc = 0;
        return;
    }
    const auto percent = [&](double metres) { return metres / statistics.totalLengh * 100; };
    statistics.cutLenghtPerc = percent(statistics.cutLenght);
    statistics.totalScrapPerc = percent(statistics.totalScrap);
    statistics.totalPurescrapPerc = percent(statistics.totalPurescrap);
    statistics.totalRemnantPerc = percent(statistics.totalRemnant);
    statistics.totalSawPerc = percent(statistics.totalSaw);
}

void showUsedProfiles(const DisplayTable& display, PrlTable& stock)
{
    for (PrlRow& stockLength : stock) {
        stockLength.used = 0;
        for (const DisplayRow& bar : display)
            if (bar.lenght == stockLength.lenght)
                ++stockLength.used;
    }
}

std::optional<QString> createSolutionTables(const ResultTable& results, uint32_t combNo,
                                            const PrlTable& stock, SPrt2Table& pieceStates,
                                            SolutionItemTable& items, SolutionSubitemTable& subitems)
{
    for (SPrt2Row& piece : pieceStates) {
        piece.usedPcs1 = 0;
        piece.usedPcs2 = 0;
    }
    items.clear();
    subitems.clear();

    for (const ResultRow& result : results) {
        if (result.combNo != combNo)
            continue;
        std::size_t bar =
            items.findFirst([&](const SolutionItemRow& r) { return r.id == result.profileNo; });
        if (bar == SolutionItemTable::npos) {
            const std::size_t length =
                stock.findFirst([&](const PrlRow& r) { return r.lenght == result.profileLengt; });
            if (length == PrlTable::npos)
                return QStringLiteral("Błąd systemowy szukania długości %1 w tablicy M_PRL_TABLE. "
                                      "ErrorCode = %2")
                    .arg(result.profileLengt)
                    .arg(global::err::NotInList);
            SolutionItemRow item;
            item.id = result.profileNo;
            item.lenghtDbId = stock[length].dbId;
            item.lenght = result.profileLengt;
            items.append(item);
            bar = items.size() - 1;
        }

        if (result.cutId == 0) {
            items[bar].scrap = result.cut;
            continue;
        }
        uint32_t cutRecord = 0;
        for (SPrt2Row& piece : pieceStates) {
            if (piece.combNo != combNo)
                continue;
            if (piece.lenght1 == result.cut && piece.usedPcs1 < piece.pcs) {
                ++piece.usedPcs1;
                cutRecord = piece.dbId;
                break;
            }
            if (piece.lenght2 == result.cut && piece.usedPcs2 < piece.pcs) {
                ++piece.usedPcs2;
                cutRecord = piece.dbId;
                break;
            }
        }
        if (cutRecord == 0)
            return PieceIdentificationError;
        SolutionSubitemRow subitem;
        subitem.itemId = items[bar].id;
        subitem.cutlenghtId = cutRecord;
        subitem.cutlenght = result.cut;
        subitems.append(subitem);
        items[bar].totalCutsLenght += result.cut;
    }
    return std::nullopt;
}

} // namespace kadrel
