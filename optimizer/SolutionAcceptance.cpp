#include "optimizer/SolutionAcceptance.h"

#include "global/Database.h"
#include "global/NewIdentifiers.h"
#include "global/Services.h"
#include "global/StockBooking.h"
#include "global/Table.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace kadrel {

using global::Table;

const QString NothingSavedText = QStringLiteral("Nic nie zostało zapisane.");

namespace {

constexpr int LockWaitMs = 3000;
constexpr int CodeWidth = 20;
constexpr uint16_t NewPiece = 0;
constexpr uint16_t ApprovedPiece = 1;
constexpr uint16_t PieceInProduction = 2;

// Half pieces: a whole piece counts 2, a section 1.
QString piecesText(uint64_t halves)
{
    return halves % 2 == 0 ? QString::number(halves / 2) : QStringLiteral("%1,5").arg(halves / 2);
}

// One run of the save, step by step; the first failure ends it with its message.
class SaveDataProcess {
public:
    SaveDataProcess(global::Database& db, const global::Services& services, uint32_t profile,
                    const SolutionItemTable& bars, const SolutionSubitemTable& pieces, const Statistics& statistics,
                    const AcceptanceEntry& entry)
        : db_(db), services_(services), profileId_(profile), bars_(bars), pieces_(pieces), statistics_(statistics),
          entry_(entry), stamp_(global::LogStamp::of(services.clock, services.identity))
    {
    }

    AcceptanceResult run()
    {
        global::Transaction transaction(db_, LockWaitMs);
        if (!transaction.ok())
            return failed(QStringLiteral("Błąd podczas startu transakcji. Numer błędu = %1|%2")
                              .arg(transaction.result())
                              .arg(db_.lastErrorText()));
        global::StockBooking booking(db_, global::StockOperation::CuttingOrderCreated, stamp_);
        if (booking.begin() != 0)
            return failed(booking.errorText());
        if (!fetchProfile() || !checkSolution() || !addCuttingOrder())
            return failed(message_);
        booking.setDocument(order_.id);
        if (!processBars(booking) || !setPiecesInProduction())
            return failed(message_);
        if (booking.finish() != 0)
            return failed(booking.errorText());
        if (const int code = transaction.commit(); code != 0)
            return failed(QStringLiteral("Błąd zapisu transakcji. ErrorCode = %1|%2").arg(code).arg(db_.lastErrorText()));
        result_.saved = true;
        result_.transaction = order_.id;
        return result_;
    }

private:
    AcceptanceResult failed(const QString& message)
    {
        db_.rollback();
        services_.dialogs.message(message + QLatin1Char('|') + NothingSavedText);
        return AcceptanceResult{};
    }

    bool fail(const QString& message)
    {
        message_ = message;
        return false;
    }

    bool fetchProfile()
    {
        Table<global::ProfileRecord> profiles(db_);
        profile_.id = profileId_;
        if (const int code = profiles.fetch(Table<global::ProfileRecord>::Auto, profile_); code != 0)
            return fail(QStringLiteral("Błąd odwołania do wskazanego profila. Po GET do tabeli STOCK_TRANS błąd = %1")
                            .arg(code));
        return true;
    }

    QString pieceName(const global::CutRecord& cut, const QString& orderNumber) const
    {
        return QStringLiteral("Odcinek nr %1 (długość %2, zamówienie %3)")
            .arg(cut.id)
            .arg(cut.lenght)
            .arg(orderNumber.isEmpty() ? QStringLiteral("-") : orderNumber);
    }

    // The pieces of the solution against their cut records and orders as they are now.
    bool checkSolution()
    {
        if (bars_.empty())
            return fail(QStringLiteral("Rozwiązanie nie zawiera żadnego pręta. Zapis niemożliwy."));
        std::unordered_map<uint32_t, bool> barIds;
        for (const SolutionItemRow& bar : bars_)
            barIds.emplace(bar.id, true);

        Table<global::CutRecord> cuts(db_);
        Table<global::OrderRecord> orders(db_);
        std::map<uint32_t, uint64_t> halves;
        for (const SolutionSubitemRow& piece : pieces_) {
            if (!barIds.contains(piece.itemId))
                return fail(QStringLiteral("Odcinek nr %1 rozwiązania nie należy do żadnego pręta. Zapis niemożliwy.")
                                .arg(piece.cutlenghtId));
            auto cut = cuts_.find(piece.cutlenghtId);
            if (cut == cuts_.end()) {
                global::CutRecord record;
                record.id = piece.cutlenghtId;
                if (const int code = cuts.fetch(Table<global::CutRecord>::Auto, record); code != 0)
                    return fail(QStringLiteral("Błąd odwołania do odcinka w tabeli CUTS. Po Get ErrorCode = %1").arg(code));
                cut = cuts_.emplace(record.id, record).first;
                if (!orders_.contains(record.orderId)) {
                    global::OrderRecord order;
                    order.id = record.orderId;
                    if (const int code = orders.fetch(Table<global::OrderRecord>::Auto, order); code != 0)
                        return fail(QStringLiteral("Błąd odwołania do zamówienia w tabeli ORDERS. Po Get ErrorCode = %1")
                                        .arg(code));
                    orders_.emplace(order.id, order);
                }
                if (!checkPiece(record))
                    return false;
            }
            halves[cut->first] += piece.cutlenght == cut->second.lenght ? 2 : 1;
        }
        for (const auto& [cutId, count] : halves) {
            const global::CutRecord& cut = cuts_.at(cutId);
            if (count > uint64_t(cut.pcs) * 2)
                return fail(QStringLiteral("%1 jest w rozwiązaniu %2 razy, a zamówiono %3 szt. Zapis niemożliwy.")
                                .arg(pieceName(cut, orderNumber(cut)), piecesText(count), QString::number(cut.pcs)));
        }
        return true;
    }

    QString orderNumber(const global::CutRecord& cut) const
    {
        const auto order = orders_.find(cut.orderId);
        return order == orders_.end() ? QString() : order->second.number;
    }

    bool checkPiece(const global::CutRecord& cut)
    {
        const QString name = pieceName(cut, orderNumber(cut));
        if (cut.status != NewPiece && cut.status != ApprovedPiece)
            return fail(QStringLiteral("%1 ma status %2: został w międzyczasie przyjęty do produkcji albo zmieniony "
                                       "na innym stanowisku. Zapis niemożliwy.")
                            .arg(name, QString::number(cut.status)));
        if (cut.block != 0)
            return fail(QStringLiteral("%1 jest zablokowany - nie bierze udziału w optymalizacji. Zapis niemożliwy.")
                            .arg(name));
        if (cut.profileId != profileId_)
            return fail(QStringLiteral("%1 należy do innego profila (%2). Zapis niemożliwy.").arg(name, QString::number(cut.profileId)));
        return true;
    }

    bool addCuttingOrder()
    {
        Table<global::StockTransRecord> orders(db_);
        uint32_t id = 0;
        if (const int code = global::newIdentifier(orders, id); code != 0)
            return fail(QStringLiteral("Błąd podczas czytania numer ostatniego rekordu w tabeli STOCK_TRANS. ErrorCode = %1")
                            .arg(code));
        order_.id = id;
        order_.profileId = profile_.id;
        order_.profileCode = profile_.profileCode.left(CodeWidth);
        order_.remnantLenght = profile_.remnantLenght;
        order_.dateCreated = stamp_.now.date();
        order_.timeCreated = stamp_.now.time();
        order_.documentDescr = entry_.description;
        order_.productionDate = entry_.productionDate;
        order_.status = 0;
        order_.totalLenght = statistics_.totalLengh;
        order_.totalCutLengts = statistics_.cutLenght;
        order_.totalScrap = statistics_.totalPurescrap;
        order_.totalRemnant = statistics_.totalRemnant;
        order_.totalProfilesPcs = statistics_.totalPcs;
        order_.totelRemnantPcs = statistics_.totalRemnantPcs;
        order_.totalCutPcs = statistics_.totalCuts;
        order_.totalScrapPerc = statistics_.totalScrapPerc;
        order_.obsoleteScrapPerc = statistics_.totalPurescrapPerc;
        order_.operatorCreated = stamp_.operatorName.left(CodeWidth);
        order_.computerCreated = stamp_.station.left(CodeWidth);
        if (const int code = orders.add(order_); code != 0)
            return fail(QStringLiteral("Error creating STOCK_TRANS record. ErrorCode = %1").arg(code));
        return true;
    }

    // The bars in ascending length (equal lengths by their number), each with its stock length
    // booked, its remnant and its pieces.
    bool processBars(global::StockBooking& booking)
    {
        std::vector<SolutionItemRow> bars(bars_.begin(), bars_.end());
        std::stable_sort(bars.begin(), bars.end(), [](const SolutionItemRow& a, const SolutionItemRow& b) {
            return a.lenght != b.lenght ? a.lenght < b.lenght : a.id < b.id;
        });
        std::unordered_map<uint32_t, std::vector<const SolutionSubitemRow*>> piecesOfBar;
        for (const SolutionSubitemRow& piece : pieces_)
            piecesOfBar[piece.itemId].push_back(&piece);

        Table<global::StockTransItemRecord> items(db_);
        global::NewIdentifiers<global::StockTransItemRecord> newItem(items);
        uint32_t printId = 0;
        for (const SolutionItemRow& bar : bars) {
            if (booking.move(bar.lenghtDbId, global::StockMove::inProduction(-1), profile_.id, bar.lenght) != 0)
                return fail(barLengthMessage(booking, bar.lenght));
            global::StockTransItemRecord item;
            item.idTrans = order_.id;
            item.profileLenght = bar.lenght;
            item.profileLenghtId = bar.lenghtDbId;
            item.cutlenghts = bar.totalCutsLenght;
            item.scrap = bar.scrap;
            item.printId = ++printId;
            if (!bookRemnant(booking, bar.scrap, item.remnantId))
                return false;
            if (const int code = newItem.next(item.id); code != 0)
                return fail(QStringLiteral("Systemowy błąd odwołania do tabeli STOCK_TRANS_ITEMS. ErrorCode = %1").arg(code));
            if (const int code = newItem.add(item); code != 0)
                return fail(QStringLiteral("Systemowy błąd dodawania rekordu do tabeli STOCK_TRANS_ITEMS. ErrorCode = %1")
                                .arg(code));
            ++result_.bars;
            for (const SolutionSubitemRow* piece : piecesOfBar[bar.id])
                if (!addPiece(item, *piece))
                    return false;
        }
        return true;
    }

    QString barLengthMessage(const global::StockBooking& booking, uint32_t lenght) const
    {
        switch (booking.failure()) {
        case global::StockBooking::Failure::ReadLength:
            return QStringLiteral("Błąd odwołania do długości profila = %1 Numer błędu = %2").arg(lenght).arg(booking.errorCode());
        case global::StockBooking::Failure::WriteLength:
            return QStringLiteral("Systemowy błąd aktualizacji rekordu długości profila = %1 Numer błędu = %2")
                .arg(lenght)
                .arg(booking.errorCode());
        default:
            return booking.errorText();
        }
    }

    // A leftover of at least the profile's remnant length (and never one of 0) returns to stock.
    bool bookRemnant(global::StockBooking& booking, uint32_t leftover, uint32_t& remnantId)
    {
        remnantId = 0;
        if (leftover == 0 || leftover < profile_.remnantLenght)
            return true;
        global::ProfileLengthRecord length;
        bool created = false;
        if (booking.lengthOf(profile_.id, leftover, length, created) != 0)
            return fail(booking.errorText());
        if (booking.move(length.id, global::StockMove::inProduction(+1), profile_.id, leftover) != 0)
            return fail(QStringLiteral("Błąd zapisu zwiększonej o 1 ilości w produkcji dla długości %1  ErrorCode = %2")
                            .arg(leftover)
                            .arg(booking.errorCode()));
        remnantId = length.id;
        ++result_.remnants;
        return true;
    }

    bool addPiece(const global::StockTransItemRecord& item, const SolutionSubitemRow& piece)
    {
        const global::CutRecord& cut = cuts_.at(piece.cutlenghtId);
        global::StockTransSubitemRecord record;
        record.idTransitem = item.id;
        record.idTrans = order_.id;
        record.cutlenght = piece.cutlenght;
        record.cutlenghtId = cut.id;
        record.cutlenghtString = piece.cutlenght != cut.lenght ? QStringLiteral("#") : QString();
        record.order = orderNumber(cut).left(CodeWidth);
        record.orderId = cut.orderId;
        record.code = cut.code;
        record.descr1 = cut.description1;
        record.descr2 = cut.description2;
        if (const int code = newSubitem_.next(record.id); code != 0)
            return fail(QStringLiteral("Błąd systemowy podczas ustalania ostatniego numeru rekordu w tabeli "
                                       "STOCK_TRANS_SUBITEMS. Po Previous ErrorCode = %1")
                            .arg(code));
        if (const int code = newSubitem_.add(record); code != 0)
            return fail(QStringLiteral("Błąd systemowy zapisu do tabeli STOCK_TRANS_SUBITEMS. Po ADD ErrorCode = %1")
                            .arg(code));
        ++result_.pieces;
        return true;
    }

    bool setPiecesInProduction()
    {
        Table<global::CutRecord> cuts(db_);
        for (const auto& [cutId, checked] : cuts_) {
            global::CutRecord cut;
            cut.id = cutId;
            int code = cuts.fetch(Table<global::CutRecord>::Auto, cut);
            if (code == 0) {
                cut.status = PieceInProduction;
                code = cuts.update(cut);
            }
            if (code != 0)
                return fail(QStringLiteral("Błąd zapisu statusu w tabeli CUTS. Po Get ErrorCode = %1").arg(code));
        }
        return true;
    }

    global::Database& db_;
    const global::Services& services_;
    uint32_t profileId_;
    const SolutionItemTable& bars_;
    const SolutionSubitemTable& pieces_;
    const Statistics& statistics_;
    const AcceptanceEntry& entry_;
    global::LogStamp stamp_;

    global::ProfileRecord profile_;
    global::StockTransRecord order_;
    Table<global::StockTransSubitemRecord> subitems_{db_};
    // Items and pieces take their numbers in turn inside the transaction.
    global::NewIdentifiers<global::StockTransSubitemRecord> newSubitem_{subitems_};
    std::map<uint32_t, global::CutRecord> cuts_;
    std::unordered_map<uint32_t, global::OrderRecord> orders_;
    AcceptanceResult result_;
    QString message_;
};

} // namespace

QDate presetProductionDate(const QDate& today)
{
    // QDate::dayOfWeek: Monday 1 ... Sunday 7.
    static constexpr int daysAhead[8] = {0, 1, 2, 1, 5, 4, 3, 2};
    return today.addDays(daysAhead[today.dayOfWeek()]);
}

AcceptanceResult acceptSolution(global::Database& db, const global::Services& services, uint32_t profile,
                                const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
                                const Statistics& statistics, const AcceptanceEntry& entry)
{
    return SaveDataProcess(db, services, profile, bars, pieces, statistics, entry).run();
}

bool storedCuttingOrderLists(global::Database& db, uint32_t transaction, SolutionItemTable& bars,
                             SolutionSubitemTable& pieces, QString& error)
{
    bars.clear();
    pieces.clear();
    Table<global::StockTransItemRecord> items(db);
    global::StockTransItemRecord itemKey;
    itemKey.idTrans = transaction;
    const QList<global::StockTransItemRecord> storedItems =
        items.rows(Table<global::StockTransItemRecord>::ByTrans, itemKey, 1);
    if (items.errorCode() != 0) {
        error = QStringLiteral("System Error after NEXt for STOCK_TRANS_ITEMS. ErrorCode = %1").arg(items.errorCode());
        return false;
    }
    for (const global::StockTransItemRecord& item : storedItems) {
        SolutionItemRow bar;
        bar.id = item.id;
        bar.lenghtDbId = item.profileLenghtId;
        bar.lenght = item.profileLenght;
        bar.totalCutsLenght = item.cutlenghts;
        bar.scrap = item.scrap;
        bar.heatNo = item.heatNumber.toStdString();
        bars.append(bar);
    }
    Table<global::StockTransSubitemRecord> subitems(db);
    global::StockTransSubitemRecord pieceKey;
    pieceKey.idTrans = transaction;
    const QList<global::StockTransSubitemRecord> storedPieces =
        subitems.rows(Table<global::StockTransSubitemRecord>::ByItem, pieceKey, 1);
    if (subitems.errorCode() != 0) {
        error = QStringLiteral("System Error after NEXt for STOCK_TRANS_SUBITEMS. ErrorCode = %1").arg(subitems.errorCode());
        return false;
    }
    for (const global::StockTransSubitemRecord& stored : storedPieces) {
        SolutionSubitemRow piece;
        piece.itemId = stored.idTransitem;
        piece.cutlenghtId = stored.cutlenghtId;
        piece.cutlenght = stored.cutlenght;
        piece.cutlenghtString = stored.cutlenghtString.toStdString();
        piece.order = stored.order.toStdString();
        piece.code = stored.code.toStdString();
        piece.descr1 = stored.descr1.toStdString();
        piece.descr2 = stored.descr2.toStdString();
        pieces.append(piece);
    }
    return true;
}

AcceptanceResult saveCuts(global::Database& db, const global::Services& services, uint32_t profile,
                          const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
                          const Statistics& statistics, const AcceptanceEntry& entry,
                          const CutListPrinter& printCutList)
{
    const AcceptanceResult result = acceptSolution(db, services, profile, bars, pieces, statistics, entry);
    if (!result.saved || !printCutList)
        return result;
    SolutionItemTable storedBars;
    SolutionSubitemTable storedPieces;
    QString error;
    if (!storedCuttingOrderLists(db, result.transaction, storedBars, storedPieces, error)) {
        services.dialogs.message(error);
        return result;
    }
    printCutList(profile, storedBars, storedPieces, result.transaction, true);
    return result;
}

} // namespace kadrel
