#include "transactions/TransactionLogRebuild.h"

#include "global/Database.h"
#include "global/Services.h"
#include "global/StockBooking.h"
#include "global/StockLog.h"
#include "global/Table.h"
#include "transactions/CuttingOrderSettlement.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace transactions {

using global::Table;

namespace {

constexpr int LockWaitMs = 3000;
constexpr int NameWidth = 20;

using LengthKey = std::pair<uint32_t, uint32_t>;   // profile, length

struct Counts {
    int64_t intStock = 0;
    int64_t extStock = 0;
    int64_t incomStock = 0;
};

// The lines one cutting order writes at one moment.
struct Event {
    QDateTime at;
    uint32_t order = 0;
    bool confirmation = false;
    QString station;
    QString operatorName;
    std::map<LengthKey, Counts> changes;
};

class Rebuild {
public:
    Rebuild(global::Database& db, const global::Services& services) : db_(db), services_(services) {}

    LogRebuild run()
    {
        global::Transaction transaction(db_, LockWaitMs);
        if (!transaction.ok())
            return failed(QStringLiteral("Błąd podczas startu transakcji. Numer błędu = %1|%2")
                              .arg(transaction.result())
                              .arg(db_.lastErrorText()));
        bool empty = false;
        if (!logIsEmpty(empty))
            return failed(message_);
        if (!empty) {
            db_.rollback();
            services_.dialogs.message(QStringLiteral("Lista została już wygenerowana"));
            return LogRebuild::LogNotEmpty;
        }
        if (!collectEvents() || !writeOpeningBalance() || !writeEvents())
            return failed(message_);
        if (const int code = transaction.commit(); code != 0)
            return failed(QStringLiteral("Błąd zapisu transakcji do bazy. Error = %1|%2").arg(code).arg(db_.lastErrorText()));
        services_.dialogs.message(QStringLiteral("Tabela zbudowana"));
        return LogRebuild::Written;
    }

private:
    LogRebuild failed(const QString& message)
    {
        db_.rollback();
        services_.dialogs.message(message + QLatin1Char('|') + NothingSavedText);
        return LogRebuild::Failed;
    }

    bool fail(const QString& message)
    {
        message_ = message;
        return false;
    }

    bool logIsEmpty(bool& empty)
    {
        Table<global::StockChangeRecord> log(db_);
        log.setEnd(Table<global::StockChangeRecord>::Auto);
        global::StockChangeRecord last;
        const int code = log.previous(last);
        if (code != 0 && code != global::err::NoMoreRecords)
            return fail(QStringLiteral("System Error after NEXT in STOCK_CHANGE. ErrorCode = %1").arg(code));
        empty = code == global::err::NoMoreRecords;
        return true;
    }

    static QDateTime moment(const QDate& date, const QTime& time)
    {
        return QDateTime(date, time.isValid() ? time : QTime(0, 0));
    }

    bool collectEvents()
    {
        Table<global::StockTransRecord> orders(db_);
        const QList<global::StockTransRecord> all = orders.rows(Table<global::StockTransRecord>::Auto);
        if (orders.errorCode() != 0)
            return fail(QStringLiteral("Systemowy bład po NEXT w STOCK_TRANS. Error = %1").arg(orders.errorCode()));
        Table<global::StockTransItemRecord> items(db_);
        for (const global::StockTransRecord& order : all) {
            global::StockTransItemRecord key;
            key.idTrans = order.id;
            const QList<global::StockTransItemRecord> bars = items.rows(Table<global::StockTransItemRecord>::ByTrans, key, 1);
            if (items.errorCode() != 0)
                return fail(QStringLiteral("System Error after NEXT w STOCK_TRANS_ITEMS. ErrorCode = %1").arg(items.errorCode()));
            Event created{moment(order.dateCreated, order.timeCreated), order.id, false, order.computerCreated,
                          order.operatorCreated, {}};
            for (const global::StockTransItemRecord& bar : bars) {
                created.changes[{order.profileId, bar.profileLenght}].incomStock -= 1;
                if (bar.remnantId != 0)
                    created.changes[{order.profileId, bar.scrap}].incomStock += 1;
            }
            events_.push_back(created);
            if (order.status == global::TransactionStatus::Open)
                continue;
            const bool dated = order.dateConfirmed.isValid();
            Event confirmed{dated ? moment(order.dateConfirmed, order.timeConfirmed) : created.at, order.id, true,
                            order.computerConfirmed, order.operatorConfirmed, {}};
            for (const global::StockTransItemRecord& bar : bars) {
                Counts& barCounts = confirmed.changes[{order.profileId, bar.profileLenght}];
                barCounts.incomStock += 1;
                barCounts.intStock -= 1;
                if (bar.remnantId != 0) {
                    Counts& remnant = confirmed.changes[{order.profileId, bar.scrap}];
                    remnant.incomStock -= 1;
                    remnant.intStock += 1;
                }
            }
            events_.push_back(confirmed);
        }
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            if (a.at != b.at)
                return a.at < b.at;
            if (a.order != b.order)
                return a.order < b.order;
            return !a.confirmation && b.confirmation;
        });
        return true;
    }

    // Per length, the counts before the first cutting order: its counts now less every change.
    bool writeOpeningBalance()
    {
        Table<global::ProfileLengthRecord> lengths(db_);
        const QList<global::ProfileLengthRecord> all = lengths.rows(Table<global::ProfileLengthRecord>::Auto);
        if (lengths.errorCode() != 0)
            return fail(QStringLiteral("Error after NEXT for PROFILES_LENGHTS. ErrorCode = %1").arg(lengths.errorCode()));
        std::map<LengthKey, std::pair<uint32_t, Counts>> opening;   // length id, counts
        for (const global::ProfileLengthRecord& length : all)
            opening[{length.profileId, length.lenght}] = {length.id, Counts{length.intStock, length.extStock, length.incomStock}};
        for (const Event& event : events_)
            for (const auto& [key, change] : event.changes) {
                Counts& counts = opening[key].second;
                counts.intStock -= change.intStock;
                counts.extStock -= change.extStock;
                counts.incomStock -= change.incomStock;
            }
        const global::LogStamp stamp = global::LogStamp::of(services_.clock, services_.identity);
        const QDateTime at = events_.empty() ? stamp.now : std::min(stamp.now, events_.front().at);
        for (const auto& [key, start] : opening) {
            global::StockChangeRecord line = lineAt(at, stamp.station, stamp.operatorName, key, start.second);
            line.operationType = static_cast<uint16_t>(global::StockOperation::OpeningBalance);
            line.docId = start.first;
            if (!write(line))
                return false;
        }
        return true;
    }

    bool writeEvents()
    {
        for (const Event& event : events_)
            for (const auto& [key, change] : event.changes) {
                global::StockChangeRecord line = lineAt(event.at, event.station, event.operatorName, key, change);
                line.operationType = static_cast<uint16_t>(event.confirmation ? global::StockOperation::CuttingOrderConfirmed
                                                                              : global::StockOperation::CuttingOrderCreated);
                line.docId = event.order;
                if (!write(line))
                    return false;
            }
        return true;
    }

    static global::StockChangeRecord lineAt(const QDateTime& at, const QString& station, const QString& operatorName,
                                            const LengthKey& key, const Counts& change)
    {
        global::StockChangeRecord line;
        line.date = at.date();
        line.time = at.time();
        line.profileId = key.first;
        line.lenght = key.second;
        line.changeIntStock = static_cast<int32_t>(change.intStock);
        line.changeExtStock = static_cast<int32_t>(change.extStock);
        line.changeIncomStock = static_cast<int32_t>(change.incomStock);
        line.station = station.left(NameWidth);
        line.operatorName = operatorName.left(NameWidth);
        return line;
    }

    bool write(global::StockChangeRecord& line)
    {
        if (const int code = global::addStockChange(log_, line); code != 0)
            return fail(QStringLiteral("Błąd dopisywania rekordu do historii transakcji. Błęd numer = %1").arg(code));
        return true;
    }

    global::Database& db_;
    const global::Services& services_;
    Table<global::StockChangeRecord> log_{db_};
    std::vector<Event> events_;
    QString message_;
};

} // namespace

LogRebuild createTransactionLog(global::Database& db, const global::Services& services)
{
    return Rebuild(db, services).run();
}

} // namespace transactions
