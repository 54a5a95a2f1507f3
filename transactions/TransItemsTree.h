#pragma once
// TRANSITEMS without its window: the two-level tree of one cutting order, its bars in print order
// with their heat numbers and under each bar the pieces cut from it, as the lines the window shows;
// and the copy and paste of a heat number from one bar to others.

#include "global/HeatNumber.h"
#include "global/Records.h"

#include <QList>
#include <QString>

namespace global {
class Database;
class Dialogs;
} // namespace global

namespace transactions {

struct TransItemsBar {
    global::StockTransItemRecord item;
    QString line;              // " " + print number (4) + length (6) + leftover (6) + 5 blanks + heat number
    QStringList pieceLines;    // 13 blanks + length (8) + 5 blanks + order + 5 + code + 5 + descriptions
};

struct TransItemsTree {
    QString rootLine;          // "    Nr  Długość Odpad   Numer wytopu"
    QList<TransItemsBar> bars;
};

enum class TreeLoad {
    Loaded,
    NeedsPrintNumbers,   // made by an older version: the cut list must number its bars first
    Failed,              // error holds the message
};

// The text shown when the bars have no print numbers yet.
extern const QString PrintNumbersMissingText;

TreeLoad loadTransItems(global::Database& db, uint32_t transaction, TransItemsTree& tree, QString& error);

// The heat number remembered by COPYHEATNO for PASTEHEATNO (LOC:SELECTED_HEATNO).
class HeatNumberCopy {
public:
    void copyFrom(const global::StockTransItemRecord& bar) { selected_ = global::storedHeatNumber(bar.heatNumber); }
    // The number typed into the field that shows the remembered one.
    void setSelected(const QString& typed) { selected_ = global::storedHeatNumber(typed); }
    const QString& selected() const { return selected_; }
    // Writes the remembered number into the bar, read again inside the transaction.
    global::HeatNumberSave pasteInto(global::Database& db, global::Dialogs& dialogs,
                                     const global::StockTransItemRecord& bar, global::StockTransItemRecord& stored) const
    {
        return global::saveHeatNumber(db, dialogs, bar, selected_, stored);
    }

private:
    QString selected_;
};

} // namespace transactions
