#include "optimizer/cutlist/CutList.h"

#include "global/Database.h"
#include "global/Services.h"
#include "global/Table.h"
#include "optimizer/DuplicateCheck.h"
#include "optimizer/PieceRecords.h"

#include <QMap>
#include <algorithm>
#include <map>
#include <unordered_map>

namespace kadrel {

namespace {

constexpr int HeaderProfileWidth = 80;
constexpr int OrderWidth = 20;
constexpr int CustomerWidth = 20;
constexpr int HeatSlotWidth = 20;
constexpr std::size_t Columns = 4;

struct Texts {
    QString barNumber;
    QString returnToStock;
    QString zeroScrap;
    QString scrapIt;
};

const Texts& textsOf(CutListLanguage language)
{
    static const Texts polish{QStringLiteral("Profil numer "), QStringLiteral("Zwrot do magazynu"),
                              QStringLiteral("Cięcie bezodpadowe"), QStringLiteral("Złomować")};
    static const Texts english{QStringLiteral("Profil number "), QStringLiteral("Return to stock"),
                               QStringLiteral("Zero scrap cutting"), QStringLiteral("Scrap it")};
    return language == CutListLanguage::English ? english : polish;
}

QString clippedRight(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

// One bar of the own list: the caller's row, its count and whether its leftover returns to stock.
struct OwnBar {
    SolutionItemRow row;
    uint32_t count = 1;
    bool remnant = false;
    uint32_t position = 0;
};

class CutListBuilder {
public:
    CutListBuilder(global::Database& db, global::Dialogs& dialogs, const CutListContext& context, CutList& out)
        : db_(db), dialogs_(dialogs), context_(context), out_(out), records_(db), texts_(textsOf(context.language))
    {
    }

    bool build(uint32_t profileId, const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
               uint32_t transaction, QString& error)
    {
        out_ = CutList{};
        out_.language = context_.language;
        out_.summary = context_.summary && context_.language == CutListLanguage::Polish;
        out_.transaction = transaction;
        out_.printedAt = context_.now;
        out_.operatorName = context_.operatorName;
        out_.computerName = context_.computerName;
        if (!fetchProfile(profileId, error) || !fetchCuttingOrder(transaction, error))
            return false;
        if (!cancelled(5, error) && takeBars(bars, pieces, error) && !cancelled(15, error)
            && takePieces(pieces, error)) {
            if (records_.errorCode() != 0) {
                // Missing pieces and orders print empty; a read that failed is another matter.
                error = QStringLiteral("System error after get for TB4:ORDERS. ErrorCode = %1").arg(records_.errorCode());
                return false;
            }
            out_.joints = joints_.joints();
            return true;
        }
        return false;
    }

private:
    bool cancelled(int percent, QString& error)
    {
        if (context_.progress == nullptr || context_.progress->advance(percent))
            return false;
        error.clear();
        return true;
    }

    bool fetchProfile(uint32_t profileId, QString& error)
    {
        global::Table<global::ProfileRecord> profiles(db_);
        profile_.id = profileId;
        if (const int code = profiles.fetch(global::Table<global::ProfileRecord>::Auto, profile_); code != 0) {
            error = QStringLiteral("Brak profila na liście wszystkich profili. Error = %1").arg(code);
            return false;
        }
        out_.profileHeader = (profile_.profileCode.trimmed() + QLatin1Char(' ') + profile_.descr).left(HeaderProfileWidth);
        return true;
    }

    // A stored cutting order's description, production date and booked remnants; an order that
    // does not exist leaves them empty, bars that cannot be read end the report.
    bool fetchCuttingOrder(uint32_t transaction, QString& error)
    {
        if (transaction == 0)
            return true;
        global::Table<global::StockTransRecord> orders(db_);
        global::StockTransRecord order;
        order.id = transaction;
        if (orders.fetch(global::Table<global::StockTransRecord>::Auto, order) == 0) {
            out_.documentDescription = order.documentDescr;
            out_.productionDate = order.productionDate;
        }
        global::Table<global::StockTransItemRecord> items(db_);
        global::StockTransItemRecord key;
        key.idTrans = transaction;
        for (const auto& item : items.rows(global::Table<global::StockTransItemRecord>::ByTrans, key, 1))
            bookedRemnants_[item.id] = item.remnantId != 0;
        if (items.errorCode() != 0) {
            error = QStringLiteral("Error after GET / Next record Par:Items. ErrorCode = %1").arg(items.errorCode());
            return false;
        }
        return true;
    }

    // A stored cutting order returns exactly the remnants it booked; a solution not stored returns
    // every leftover of at least the profile's remnant length (never one of 0).
    bool returnsToStock(const SolutionItemRow& bar) const
    {
        if (out_.transaction != 0) {
            const auto booked = bookedRemnants_.find(bar.id);
            if (booked != bookedRemnants_.end())
                return booked->second;
        }
        return bar.scrap > 0 && bar.scrap >= profile_.remnantLenght;
    }

    double weight(uint32_t count, uint32_t lenght) const
    {
        return count * profile_.weight * lenght / (profile_.inCentimetres() ? 100.0 : 1000.0);
    }

    void addStockChange(uint32_t lenght, uint32_t consumption, uint32_t returned)
    {
        CutListStockChange& row = stockChanges_[lenght];
        row.lenght = lenght;
        row.consumption += consumption;
        row.returned += returned;
    }

    bool takeBars(const SolutionItemTable& bars, const SolutionSubitemTable& pieces, QString& error)
    {
        std::unordered_map<uint32_t, uint32_t> countOf;
        if (out_.summary) {
            std::vector<DuplicateGroup> groups;
            if (!checkDuplicates(bars, pieces, records_, dialogs_, groups)) {
                error.clear();   // the check has shown its message
                return false;
            }
            for (const DuplicateGroup& g : groups)
                countOf[g.barId] = g.count;
        }
        for (const SolutionItemRow& row : bars) {
            OwnBar bar{row, 1, returnsToStock(row), 0};
            if (out_.summary) {
                const auto group = countOf.find(row.id);
                if (group == countOf.end())
                    continue;   // stands in the group of an identical bar
                bar.count = std::max<uint32_t>(1, group->second);
            }
            addStockChange(row.lenght, bar.count, 0);
            if (bar.remnant)
                addStockChange(row.scrap, 0, bar.count);
            bars_.push_back(bar);
        }
        std::stable_sort(bars_.begin(), bars_.end(), [](const OwnBar& a, const OwnBar& b) {
            return a.row.lenght != b.row.lenght ? a.row.lenght < b.row.lenght : a.row.id < b.row.id;
        });
        for (std::size_t i = 0; i < bars_.size(); ++i) {
            bars_[i].position = static_cast<uint32_t>(i + 1);
            positionOf_[bars_[i].row.id] = i;
            placeBar(bars_[i]);
        }
        for (auto it = stockChanges_.rbegin(); it != stockChanges_.rend(); ++it) {
            CutListStockChange row = it->second;
            row.consumptionWeight = weight(row.consumption, row.lenght);
            row.returnWeight = weight(row.returned, row.lenght);
            out_.stockTotals.consumption += row.consumption;
            out_.stockTotals.consumptionWeight += row.consumptionWeight;
            out_.stockTotals.returned += row.returned;
            out_.stockTotals.returnWeight += row.returnWeight;
            out_.stockChanges.push_back(row);
        }
        return true;
    }

    static std::size_t groupOf(uint32_t position) { return (position - 1) / Columns; }
    static std::size_t columnOf(uint32_t position) { return (position - 1) % Columns; }

    CutListGroup& group(std::size_t index)
    {
        if (out_.groups.size() <= index)
            out_.groups.resize(index + 1);
        return out_.groups[index];
    }

    void placeBar(const OwnBar& bar)
    {
        CutListBar column;
        column.position = bar.position;
        column.description = texts_.barNumber + QString::number(bar.position);
        column.lenght = bar.row.lenght;
        column.leftover = bar.row.scrap;
        column.leftoverInstruction = bar.remnant ? texts_.returnToStock
                                     : bar.row.scrap == 0 ? texts_.zeroScrap
                                                          : texts_.scrapIt;
        column.count = bar.count;
        if (context_.language == CutListLanguage::Polish) {
            const QString heat = QString::fromStdString(bar.row.heatNo);
            column.heatNumber = bar.count > 1 ? (QString::number(bar.count) + QStringLiteral(" szt ") + heat).left(HeatSlotWidth)
                                              : heat;
        }
        group(groupOf(bar.position)).bars[columnOf(bar.position)] = column;
    }

    // The texts of a piece from the optimizer, read from its cut record and order.
    void fillPieceTexts(SolutionSubitemRow& piece)
    {
        const global::CutRecord* cut = records_.cut(piece.cutlenghtId);
        if (cut == nullptr)
            return;
        // A length cut that differs from the piece's is a section of a joined piece.
        piece.cutlenghtString.assign(piece.cutlenght != cut->lenght ? 1 : 0, '#');
        piece.code = cut->code.toStdString();
        piece.descr1 = cut->description1.toStdString();
        piece.descr2 = cut->description2.toStdString();
        if (const global::OrderRecord* order = records_.order(cut->orderId))
            piece.order = order->number.left(OrderWidth).toStdString();
    }

    // Who the piece is for: its order in the orders list, its customer, its subcontract project.
    // Returns the project's number, 0 when none.
    uint32_t noteOrder(const SolutionSubitemRow& piece)
    {
        const QString number = clippedRight(QString::fromStdString(piece.order));
        if (!number.isEmpty() && !orders_.contains(number))
            orders_.insert(number, true);
        const global::OrderRecord* order = records_.orderOfCut(piece.cutlenghtId);
        if (order == nullptr || context_.language != CutListLanguage::Polish)
            return 0;
        const QString customer = order->customer.left(CustomerWidth).trimmed();
        if (!customer.isEmpty() && !out_.customers.contains(customer))
            out_.customers << customer;
        const QString project = order->project.trimmed();
        if (context_.printSubcontr != 1 || project.isEmpty())
            return 0;
        for (const CutListProject& p : out_.projects)
            if (p.code == project)
                return p.number;
        out_.projects.push_back(CutListProject{static_cast<uint32_t>(out_.projects.size() + 1), project, order->etap});
        return out_.projects.back().number;
    }

    QString description(const SolutionSubitemRow& piece, std::size_t column) const
    {
        const QString text = clippedRight(QString::fromStdString(piece.code)) + QLatin1Char(' ')
            + clippedRight(QString::fromStdString(piece.descr1)) + QLatin1Char(' ')
            + clippedRight(QString::fromStdString(piece.descr2));
        if (!context_.checkFormat)
            return text;
        return context_.checkFormat(text, QStringLiteral("DETR:Descr_%1").arg(column + 1), QStringLiteral("DETR"));
    }

    bool takePieces(const SolutionSubitemTable& pieces, QString& error)
    {
        std::map<std::pair<std::size_t, std::size_t>, std::size_t> nextLine;   // (group, column) -> line
        std::size_t done = 0;
        for (SolutionSubitemRow piece : pieces) {
            if (++done % 256 == 0 && cancelled(15 + int(80 * done / pieces.size()), error))
                return false;
            if (out_.transaction == 0)
                fillPieceTexts(piece);
            QString mark = QString::fromStdString(piece.cutlenghtString);
            if (mark.contains(QLatin1Char('#'))) {
                if (const global::CutRecord* cut = records_.cut(piece.cutlenghtId))
                    mark = joints_.pair(cut->id, cut->lenght, cut->code, piece.cutlenght);
            }
            const uint32_t project = noteOrder(piece);
            const auto bar = positionOf_.find(piece.itemId);
            if (bar == positionOf_.end())
                continue;   // its bar is not printed (an identical bar stands for it)
            const uint32_t position = bars_[bar->second].position;
            const std::size_t column = columnOf(position);
            CutListGroup& g = group(groupOf(position));
            std::size_t& line = nextLine[{groupOf(position), column}];
            if (g.lines.size() <= line)
                g.lines.resize(line + 1);
            CutListPiece cell;
            cell.mark = mark;
            cell.lenght = piece.cutlenght;
            cell.order = clippedRight(QString::fromStdString(piece.order));
            if (project != 0)
                cell.order += QStringLiteral("(%1)").arg(project);
            cell.description = description(piece, column);
            g.lines[line][column] = cell;
            ++line;
        }
        out_.orders = orders_.keys();
        return true;
    }

    global::Database& db_;
    global::Dialogs& dialogs_;
    const CutListContext& context_;
    CutList& out_;
    PieceRecords records_;
    const Texts& texts_;
    global::ProfileRecord profile_;
    std::unordered_map<uint32_t, bool> bookedRemnants_;
    std::map<uint32_t, CutListStockChange> stockChanges_;   // ascending length
    std::vector<OwnBar> bars_;
    std::unordered_map<uint32_t, std::size_t> positionOf_;  // bar id -> index in bars_
    QMap<QString, bool> orders_;                            // ascending
    JointPairing joints_;
};

} // namespace

bool buildCutList(global::Database& db, global::Dialogs& dialogs, uint32_t profile, const SolutionItemTable& bars,
                  const SolutionSubitemTable& pieces, uint32_t transaction, const CutListContext& context,
                  CutList& cutList, QString& error)
{
    CutListBuilder builder(db, dialogs, context, cutList);
    return builder.build(profile, bars, pieces, transaction, error);
}

} // namespace kadrel
