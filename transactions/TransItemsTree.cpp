#include "transactions/TransItemsTree.h"

#include "global/Database.h"
#include "global/Table.h"

#include <map>

namespace transactions {

using global::Table;

const QString PrintNumbersMissingText = QStringLiteral(
    "Polecenie rozkroju wykonane było starszą wersją programu|System musi odtworzyć numerację profili. Proszę wywołać "
    "pogląd wydruku|To powinno odbudować brakujące informacje. Wydruk na drukarkę nie jest potrzebny");

namespace {

constexpr int TextWidth = 20;

QString cutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

QString barLine(const global::StockTransItemRecord& bar)
{
    return QStringLiteral(" %1%2%3     %4")
        .arg(bar.printId, 4)
        .arg(bar.profileLenght, 6)
        .arg(bar.scrap, 6)
        .arg(bar.heatNumber);
}

QString pieceLine(const global::StockTransSubitemRecord& piece)
{
    const QString blanks(5, QLatin1Char(' '));
    return QString(13, QLatin1Char(' ')) + QStringLiteral("%1").arg(piece.cutlenght, 8) + blanks
        + piece.order.leftJustified(TextWidth) + blanks + piece.code.leftJustified(TextWidth) + blanks
        + cutTrailingBlanks(piece.descr1) + QLatin1Char(' ') + cutTrailingBlanks(piece.descr2);
}

} // namespace

TreeLoad loadTransItems(global::Database& db, uint32_t transaction, TransItemsTree& tree, QString& error)
{
    tree = TransItemsTree{};
    tree.rootLine = QStringLiteral("    Nr  Długość Odpad   Numer wytopu");
    Table<global::StockTransItemRecord> items(db);
    global::StockTransItemRecord key;
    key.idTrans = transaction;
    items.set(Table<global::StockTransItemRecord>::ByTrans, key, 1);
    global::StockTransItemRecord first;
    const int code = items.next(first);
    if (code != 0 && code != global::err::NoMoreRecords) {
        error = QStringLiteral("System Error after NEXT for STOCK_TRANS_ITEMS. ErrorCode = %1").arg(code);
        return TreeLoad::Failed;
    }
    if (code == 0 && first.idTrans == transaction && first.printId == 0)
        return TreeLoad::NeedsPrintNumbers;

    const QList<global::StockTransItemRecord> bars = items.rows(Table<global::StockTransItemRecord>::ByPrint, key, 1);
    if (items.errorCode() != 0) {
        error = QStringLiteral("System Error after NEXT for STOCK_TRANS_ITEMS. ErrorCode = %1").arg(items.errorCode());
        return TreeLoad::Failed;
    }
    Table<global::StockTransSubitemRecord> subitems(db);
    global::StockTransSubitemRecord pieceKey;
    pieceKey.idTrans = transaction;
    const QList<global::StockTransSubitemRecord> pieces =
        subitems.rows(Table<global::StockTransSubitemRecord>::ByItem, pieceKey, 1);
    if (subitems.errorCode() != 0) {
        error = QStringLiteral("Błąd odczytu tabeli STOCK_TRANS_SUBITEMS. Numer błędu = %1").arg(subitems.errorCode());
        return TreeLoad::Failed;
    }
    std::map<uint32_t, QStringList> linesOfBar;
    for (const global::StockTransSubitemRecord& piece : pieces)
        linesOfBar[piece.idTransitem] << pieceLine(piece);
    for (const global::StockTransItemRecord& bar : bars)
        tree.bars.append(TransItemsBar{bar, barLine(bar), linesOfBar[bar.id]});
    return TreeLoad::Loaded;
}

} // namespace transactions
