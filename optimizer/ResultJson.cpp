#include "optimizer/ResultJson.h"

#include "optimizer/JsonWriter.h"
#include "optimizer/OptimizerRun.h"

#include <algorithm>
#include <set>

namespace kadrel {

namespace {

void writeRanking(JsonWriter& json, const RankingRow& r)
{
    json.beginObject(JsonWriter::Layout::Line);
    json.member("comb_no", r.combNo);
    json.member("profiles", r.profiles);
    json.member("total_cuts", r.totalCuts);
    json.member("total_used", r.totalUsed);
    json.member("total_scrap", r.totalScrap);
    json.member("pure_scrap", r.pureScrap);
    json.member("total_cost", r.totalCost);
    json.member("max_scrap", r.maxScrap);
    json.member("extensions", r.extensions);
    json.member("reused_remnant", r.reusedRemnant);
    json.endObject();
}

void writeStatistics(JsonWriter& json, const Statistics& s)
{
    json.key("statistics");
    json.beginObject();
    json.member("total_length", s.totalLengh);
    json.member("total_pcs", s.totalPcs);
    json.member("cut_length", s.cutLenght);
    json.member("cut_length_perc", s.cutLenghtPerc);
    json.member("total_cuts", s.totalCuts);
    json.member("total_scrap", s.totalScrap);
    json.member("total_scrap_perc", s.totalScrapPerc);
    json.member("pure_scrap", s.totalPurescrap);
    json.member("pure_scrap_perc", s.totalPurescrapPerc);
    json.member("remnant", s.totalRemnant);
    json.member("remnant_perc", s.totalRemnantPerc);
    json.member("remnant_pcs", s.totalRemnantPcs);
    json.member("saw", s.totalSaw);
    json.member("saw_perc", s.totalSawPerc);
    json.member("extensions", s.extensions);
    json.endObject();
}

// One solution written in full: its cutting plan, statistics, bars and pieces. Only this
// solution's tables stand in memory while it is written.
void writeSolution(JsonWriter& json, OptimizerRun& run, int row)
{
    run.selectSolution(row);
    json.beginObject();
    json.member("comb_no", run.ranking()[std::size_t(row)].combNo);
    json.key("specification");
    json.beginArray();
    for (const DisplayRow& bar : run.display()) {
        json.beginObject(JsonWriter::Layout::Line);
        json.member("id", bar.id);
        json.member("length", bar.lenght);
        json.member("pattern", bar.cuts);
        json.member("leftover", bar.leftover);
        json.endObject();
    }
    json.endArray();
    writeStatistics(json, run.statistics());
    json.key("excess_perc");
    if (const std::optional<double> excess = run.excessOverBound(run.ranking()[std::size_t(row)]))
        json.value(*excess);
    else
        json.null();

    SolutionItemTable items;
    SolutionSubitemTable subitems;
    if (const std::optional<QString> error = run.solutionTablesOf(row, items, subitems)) {
        json.member("error", *error);
        json.endObject();
        return;
    }
    json.key("items");
    json.beginArray();
    for (const SolutionItemRow& item : items) {
        json.beginObject(JsonWriter::Layout::Line);
        json.member("id", item.id);
        json.member("length_db_id", item.lenghtDbId);
        json.member("length", item.lenght);
        json.member("total_cuts_lenght", item.totalCutsLenght);
        json.member("scrap", item.scrap);
        json.endObject();
    }
    json.endArray();
    json.key("subitems");
    json.beginArray();
    for (const SolutionSubitemRow& piece : subitems) {
        json.beginObject(JsonWriter::Layout::Line);
        json.member("item_id", piece.itemId);
        json.member("cutlength_id", piece.cutlenghtId);
        json.member("cutlength", piece.cutlenght);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace

bool writeResultJson(std::FILE* out, OptimizerRun& run, bool completed, const QStringList& messages,
                     std::size_t solutions)
{
    JsonWriter json(out);
    json.beginObject();
    json.member("completed", completed);
    json.key("messages");
    json.beginArray();
    for (const QString& message : messages)
        json.value(message);
    json.endArray();

    json.key("demand");
    json.beginObject();
    json.member("total_length", run.totalLenght());
    json.member("total_cuts", run.totalCuts());
    json.member("min_cut", run.minCutLenght());
    json.endObject();

    json.key("stock");
    json.beginArray();
    for (const PrlRow& length : run.stock()) {
        json.beginObject(JsonWriter::Layout::Line);
        json.member("id", length.id);
        json.member("length", length.lenght);
        json.member("db_id", length.dbId);
        json.member("stock", length.stockQuantity);
        json.member("external", length.externalQuantity);
        json.member("process", length.processQuantity);
        json.endObject();
    }
    json.endArray();

    const MaterialBound& bound = run.lowerBound();
    json.key("lower_bound");
    if (bound.known)
        json.value(bound.material / 1000.0);
    else
        json.null();

    const std::size_t ranked = completed ? run.ranking().size() : 0;
    const std::size_t written = std::min(ranked, solutions);
    json.key("ranking");
    json.beginArray();
    for (std::size_t i = 0; i < ranked; ++i)
        writeRanking(json, run.ranking()[i]);
    json.endArray();

    std::set<uint32_t> writtenCombinations;
    for (std::size_t i = 0; i < written; ++i)
        writtenCombinations.insert(run.ranking()[i].combNo);
    const bool everyRow = written == ranked;
    json.key("results");
    json.beginArray();
    if (completed) {
        for (const ResultRow& row : run.results()) {
            if (!everyRow && writtenCombinations.count(row.combNo) == 0)
                continue;
            json.beginArray(JsonWriter::Layout::Line);
            json.value(row.combNo);
            json.value(row.profileNo);
            json.value(row.profileLengt);
            json.value(row.cut);
            json.value(row.cutId);
            json.endArray();
        }
    }
    json.endArray();

    json.key("solutions");
    json.beginArray();
    for (std::size_t i = 0; i < written; ++i)
        writeSolution(json, run, static_cast<int>(i));
    json.endArray();
    if (written > 0)
        run.selectSolution(0);
    json.endObject();
    return json.flush();
}

} // namespace kadrel
