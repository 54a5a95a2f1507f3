#pragma once
// The one place where stock moves. Every change of a stock length's own, external or in-production
// count goes through a StockBooking inside the caller's database transaction: the booking reads
// the length again inside that transaction, checks it, stores the new counts and, at the end, writes
// one stock-log line per length it touched (StockLog.h), in ascending profile and length. When the
// log is still empty it first writes the opening balance, so that the log always explains the stock:
// for every length, each line's final counts are the previous line's plus its change, and the last
// line equals the length's counts now.
//
//   Transaction tx(db, 3000);
//   StockBooking booking(db, StockOperation::CuttingOrderCreated, stamp, cuttingOrderId);
//   booking.begin();                                     // opening balance when the log is empty
//   booking.move(lengthId, StockMove{0, 0, -1}, expectedProfile, expectedLength);
//   booking.finish();                                    // the log lines
//   tx.commit();
//
// Any error leaves the caller to roll its transaction back; nothing is kept half-written then.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"

#include <QDateTime>
#include <QString>
#include <map>
#include <utility>

namespace global {

class Clock;
class Identity;

// Kinds of stock change, as the log stores them (STCHAN:OPERATION_TYPE).
enum class StockOperation : uint16_t {
    OpeningBalance = 0,          // "Bilas otw."
    LengthAdded = 1,             // "Dop. długości"
    QuantityChanged = 2,         // "Zmiana ilości"
    LengthRemoved = 3,           // "Usun. długości"
    CuttingOrderCreated = 11,    // "Dyspoz. cięcia"
    CuttingOrderConfirmed = 12,  // "Zamkn. dyspozycji"
    CuttingOrderDeleted = 13,    // "Usuniecie dysp."
    CuttingOrderReopened = 14,   // "Otwarcie dyspozycji"
};

// The text the stock-log window shows for an operation type ("" for an unknown one).
QString stockOperationText(uint16_t operationType);

// When and by whom a change is made: the date, time, station and operator of its log lines.
struct LogStamp {
    QDateTime now;
    QString station;        // GLO:SysCompName
    QString operatorName;   // GLO:SysUser

    static LogStamp of(const Clock& clock, const Identity& identity);
};

// A change of the three counts of one stock length, in pieces.
struct StockMove {
    int32_t intStock = 0;
    int32_t extStock = 0;
    int32_t incomStock = 0;

    static StockMove inProduction(int32_t pieces) { return StockMove{0, 0, pieces}; }
};

class StockBooking {
public:
    // What failed, for the caller's own message.
    enum class Failure {
        None,
        NotInTransaction,   // the caller has no open database transaction
        ReadLog,            // reading the stock log (is it empty, the latest lines)
        WriteLog,           // adding a log line
        ReadLength,         // the stock length could not be read (35: it does not exist)
        LengthMismatch,     // the length belongs to another profile or has another length now
        ExternalBelowZero,  // the external stock would become negative
        WriteLength,        // storing the length's counts, adding or deleting the length
    };

    // operation: the log lines' type; document: the cutting order of types 11 to 14 (types 0 to 3
    // name the stock length itself).
    StockBooking(Database& db, StockOperation operation, const LogStamp& stamp, uint32_t document = 0);

    // First thing inside the transaction: writes the opening balance when the log is empty.
    int begin();

    // The cutting order the lines name, once it has its number.
    void setDocument(uint32_t document) { document_ = document; }

    // Moves the counts of a stock length, read again now. With an expected profile and length the
    // stored length must still have them (else 89 and nothing moves).
    int move(uint32_t lengthId, const StockMove& change);
    int move(uint32_t lengthId, const StockMove& change, uint32_t expectedProfile, uint32_t expectedLenght);

    // The stock length of the profile with exactly this length. When there is none it is created
    // with all counts and flags 0 (so it counts as a length that holds remnants, not a commercial
    // one) and created is set.
    int lengthOf(uint32_t profileId, uint32_t lenght, ProfileLengthRecord& out, bool& created);

    // Adds a new stock length (it gets its identifier) with the counts it holds.
    int addLength(ProfileLengthRecord& length);
    // Sets the counts of a stock length to the given values (the change is logged).
    int setCounts(uint32_t lengthId, int32_t intStock, uint32_t extStock, int32_t incomStock);
    // Deletes a stock length; its counts leave the stock.
    int removeLength(uint32_t lengthId);

    // Writes one log line per length touched, in ascending profile and length. A length whose
    // changes net to 0 still gets its line.
    int finish();

    // How many lengths have been touched so far.
    std::size_t lengthsTouched() const { return touched_.size(); }

    int errorCode() const { return errorCode_; }
    Failure failure() const { return failure_; }
    // A complete Polish text naming what failed and the error number.
    QString errorText() const { return errorText_; }

private:
    struct Touched {
        uint32_t lengthId = 0;
        StockMove change;
    };

    int requireTransaction();
    int fail(Failure failure, int code, const QString& text);
    int readLength(uint32_t lengthId, ProfileLengthRecord& out);
    int storeCounts(ProfileLengthRecord& length, const StockMove& change);
    void remember(const ProfileLengthRecord& length, const StockMove& change);

    Database& db_;
    Table<ProfileLengthRecord> lengths_;
    StockOperation operation_;
    LogStamp stamp_;
    uint32_t document_;
    std::map<std::pair<uint32_t, uint32_t>, Touched> touched_;   // (profile, length) -> net change
    int errorCode_ = 0;
    Failure failure_ = Failure::None;
    QString errorText_;
};

// The opening balance of the stock (CREATE_STOCK_LOG) inside the caller's transaction: one type 0
// line per stock length in identifier order, its changes being the length's counts. Writes nothing
// when the log already holds a line and onlyWhenEmpty is set. Returns 0 or the error number with
// error holding the message.
int writeOpeningBalance(Database& db, const LogStamp& stamp, bool onlyWhenEmpty, QString& error);

} // namespace global
