#include "optimizer/DuplicateCheck.h"

#include "global/Services.h"
#include "optimizer/PieceRecords.h"

#include <QString>
#include <algorithm>
#include <unordered_map>

namespace kadrel {

namespace {

constexpr int EntryNotFound = 30;

// Q_PRINT_CONTROL_DUPL: one row per bar with the signature of its pieces.
struct BarSignature {
    uint32_t barId = 0;
    uint32_t lenght = 0;
    QString pieces;
    uint32_t scrap = 0;
    bool holdsSection = false;   // never merged
};

QString trimmedRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

// ";" length ";" code ";" description 1 ";" description 2 ";" order number.
QString pieceSignature(uint32_t cutLenght, const global::CutRecord* cut, const global::OrderRecord* order)
{
    QString text = QLatin1Char(';') + QString::number(cutLenght);
    text += QLatin1Char(';') + (cut ? trimmedRight(cut->code) : QString());
    text += QLatin1Char(';') + (cut ? trimmedRight(cut->description1) : QString());
    text += QLatin1Char(';') + (cut ? trimmedRight(cut->description2) : QString());
    text += QLatin1Char(';') + (order ? trimmedRight(order->number) : QString());
    return text;
}

// The bar belongs to the group: it is the group's own first bar, or neither holds a section and
// they agree in length, signature and leftover.
bool belongsTo(const BarSignature& group, const BarSignature& bar)
{
    if (group.barId == bar.barId)
        return true;
    return !group.holdsSection && !bar.holdsSection && group.lenght == bar.lenght && group.pieces == bar.pieces
        && group.scrap == bar.scrap;
}

// A result row goes to the position equal to its bar number when that is at most one past the
// end, else to the end. Returns the index it went to.
std::size_t insertGroup(std::vector<DuplicateGroup>& groups, const DuplicateGroup& group)
{
    const std::size_t position = group.barId;   // 1-based
    if (position >= 1 && position <= groups.size() + 1) {
        groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(position - 1), group);
        return position - 1;
    }
    groups.push_back(group);
    return groups.size() - 1;
}

} // namespace

bool checkDuplicates(const SolutionItemTable& bars, const SolutionSubitemTable& pieces, PieceRecords& records,
                     global::Dialogs& dialogs, std::vector<DuplicateGroup>& groups)
{
    groups.clear();
    std::vector<BarSignature> control;
    control.reserve(bars.size());
    std::unordered_map<uint32_t, std::size_t> rowOfBar;
    for (const SolutionItemRow& bar : bars) {
        rowOfBar.emplace(bar.id, control.size());
        control.push_back(BarSignature{bar.id, bar.lenght, {}, bar.scrap, false});
    }

    for (const SolutionSubitemRow& piece : pieces) {
        const auto row = rowOfBar.find(piece.itemId);
        if (row == rowOfBar.end()) {
            dialogs.message(QStringLiteral("System error selecting item no from Q_Print_Control_Dupl. ErrorCode = %1"
                                           " Missing item_id = %2")
                                .arg(EntryNotFound)
                                .arg(piece.itemId));
            return false;
        }
        const global::CutRecord* cut = records.cut(piece.cutlenghtId);
        const global::OrderRecord* order = cut ? records.order(cut->orderId) : nullptr;
        BarSignature& signature = control[row->second];
        signature.pieces += pieceSignature(piece.cutlenght, cut, order);
        const bool section = QString::fromStdString(piece.cutlenghtString).contains(QLatin1Char('#'))
            || (cut != nullptr && cut->lenght != piece.cutlenght);
        signature.holdsSection = signature.holdsSection || section;
    }

    if (records.errorCode() != 0) {
        dialogs.message(QStringLiteral("Error after get for next record from Par:SubItems. ErrorCode = %1")
                            .arg(records.errorCode()));
        return false;
    }
    std::stable_sort(control.begin(), control.end(), [](const BarSignature& a, const BarSignature& b) {
        if (a.lenght != b.lenght)
            return a.lenght < b.lenght;
        if (a.pieces != b.pieces)
            return a.pieces < b.pieces;
        return a.scrap < b.scrap;
    });

    // Walk the sorted bars. A bar without pieces leaves the group's signature empty, so the next
    // bar always starts a group of its own.
    BarSignature group;
    bool haveGroup = false;
    std::size_t last = 0;
    for (const BarSignature& bar : control) {
        if (!haveGroup || group.pieces.isEmpty()) {
            group = bar;
            haveGroup = true;
            last = insertGroup(groups, DuplicateGroup{bar.barId, 0});
        }
        if (belongsTo(group, bar)) {
            ++groups[last].count;
        } else {
            group = bar;
            last = insertGroup(groups, DuplicateGroup{bar.barId, 1});
        }
    }
    return true;
}

} // namespace kadrel
