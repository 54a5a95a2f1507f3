#include "global/StockBooking.h"

#include "global/Services.h"
#include "global/StockLog.h"

#include <map>

namespace global {

namespace {

constexpr int TextWidth = 20;

bool logIsEmpty(Database& db, bool& empty, int& code)
{
    Table<StockChangeRecord> log(db);
    log.setEnd(Table<StockChangeRecord>::Auto);
    StockChangeRecord last;
    code = log.previous(last);
    if (code == err::NoMoreRecords) {
        empty = true;
        code = 0;
        return true;
    }
    empty = false;
    return code == 0;
}

StockChangeRecord logLine(const LogStamp& stamp, StockOperation operation, uint32_t profileId, uint32_t lenght,
                          const StockMove& change, uint32_t document)
{
    StockChangeRecord line;
    line.date = stamp.now.date();
    line.time = stamp.now.time();
    line.profileId = profileId;
    line.lenght = lenght;
    line.changeIntStock = change.intStock;
    line.changeExtStock = change.extStock;
    line.changeIncomStock = change.incomStock;
    line.operationType = static_cast<uint16_t>(operation);
    line.docId = document;
    line.station = stamp.station.left(TextWidth);
    line.operatorName = stamp.operatorName.left(TextWidth);
    return line;
}

bool namesTheLength(StockOperation operation)
{
    return static_cast<uint16_t>(operation) < static_cast<uint16_t>(StockOperation::CuttingOrderCreated);
}

StockChangeRecord openingLine(const LogStamp& stamp, const ProfileLengthRecord& length)
{
    const StockMove counts{length.intStock, static_cast<int32_t>(length.extStock), length.incomStock};
    return logLine(stamp, StockOperation::OpeningBalance, length.profileId, length.lenght, counts, length.id);
}

// On an empty log nothing came before: the totals of each length and profile are carried here
// from line to line instead of being read back, and the identifiers follow one another from 1.
// A catalogue of 100,000 lengths gets its opening balance in seconds instead of minutes.
int writeOpeningLinesOnEmptyLog(Database& db, const LogStamp& stamp, const QList<ProfileLengthRecord>& all)
{
    Table<StockChangeRecord> log(db);
    uint32_t id = 0;
    if (const int code = newIdentifier(log, id); code != 0)
        return code;
    std::map<std::pair<uint32_t, uint32_t>, StockChangeRecord> latestOfLength;
    std::map<uint32_t, StockChangeRecord> latestOfProfile;
    for (const ProfileLengthRecord& length : all) {
        StockChangeRecord line = openingLine(stamp, length);
        StockChangeRecord& lengthBefore = latestOfLength[{length.profileId, length.lenght}];
        StockChangeRecord& profileBefore = latestOfProfile[length.profileId];
        carryTotals(lengthBefore, profileBefore, line);
        line.id = id++;
        if (const int code = log.add(line); code != 0)
            return code;
        lengthBefore = line;
        profileBefore = line;
    }
    return 0;
}

int writeOpeningLinesAfterOthers(Database& db, const LogStamp& stamp, const QList<ProfileLengthRecord>& all)
{
    Table<StockChangeRecord> log(db);
    for (const ProfileLengthRecord& length : all) {
        StockChangeRecord line = openingLine(stamp, length);
        if (const int code = addStockChange(log, line); code != 0)
            return code;
    }
    return 0;
}

} // namespace

QString stockOperationText(uint16_t operationType)
{
    switch (operationType) {
    case 0: return QStringLiteral("Bilas otw.");
    case 1: return QStringLiteral("Dop. długości");
    case 2: return QStringLiteral("Zmiana ilości");
    case 3: return QStringLiteral("Usun. długości");
    case 11: return QStringLiteral("Dyspoz. cięcia");
    case 12: return QStringLiteral("Zamkn. dyspozycji");
    case 13: return QStringLiteral("Usuniecie dysp.");
    case 14: return QStringLiteral("Otwarcie dyspozycji");
    default: return {};
    }
}

LogStamp LogStamp::of(const Clock& clock, const Identity& identity)
{
    return LogStamp{clock.now(), identity.computerName(), identity.userName()};
}

StockBooking::StockBooking(Database& db, StockOperation operation, const LogStamp& stamp, uint32_t document)
    : db_(db), lengths_(db), operation_(operation), stamp_(stamp), document_(document)
{
}

int StockBooking::fail(Failure failure, int code, const QString& text)
{
    failure_ = failure;
    errorCode_ = code;
    errorText_ = text;
    return code;
}

int StockBooking::requireTransaction()
{
    if (db_.inTransaction())
        return 0;
    return fail(Failure::NotInTransaction, err::StorageError,
                QStringLiteral("Zmiana stanu magazynowego poza transakcją bazy danych jest niedozwolona. "
                               "Numer błędu = %1").arg(err::StorageError));
}

int StockBooking::begin()
{
    if (const int code = requireTransaction(); code != 0)
        return code;
    QString error;
    if (const int code = writeOpeningBalance(db_, stamp_, true, error); code != 0)
        return fail(Failure::WriteLog, code, error);
    return 0;
}

int StockBooking::readLength(uint32_t lengthId, ProfileLengthRecord& out)
{
    out = ProfileLengthRecord{};
    out.id = lengthId;
    if (const int code = lengths_.fetch(Table<ProfileLengthRecord>::Auto, out); code != 0)
        return fail(Failure::ReadLength, code,
                    QStringLiteral("Błąd odwołania do długości profila (id %1). Numer błędu = %2").arg(lengthId).arg(code));
    return 0;
}

void StockBooking::remember(const ProfileLengthRecord& length, const StockMove& change)
{
    Touched& t = touched_[{length.profileId, length.lenght}];
    t.lengthId = length.id;
    t.change.intStock += change.intStock;
    t.change.extStock += change.extStock;
    t.change.incomStock += change.incomStock;
}

// Writes the length (last read from lengths_) with the change added.
int StockBooking::storeCounts(ProfileLengthRecord& length, const StockMove& change)
{
    const int64_t external = int64_t(length.extStock) + change.extStock;
    if (external < 0)
        return fail(Failure::ExternalBelowZero, err::RecordChanged,
                    QStringLiteral("Ilość w magazynie zewnętrznym długości %1 nie może być ujemna (jest %2, zmiana %3). "
                                   "Numer błędu = %4")
                        .arg(length.lenght).arg(length.extStock).arg(change.extStock).arg(err::RecordChanged));
    length.intStock += change.intStock;
    length.extStock = static_cast<uint32_t>(external);
    length.incomStock += change.incomStock;
    if (const int code = lengths_.update(length); code != 0)
        return fail(Failure::WriteLength, code,
                    QStringLiteral("Systemowy błąd aktualizacji rekordu długości profila = %1 Numer błędu = %2")
                        .arg(length.lenght).arg(code));
    remember(length, change);
    return 0;
}

int StockBooking::move(uint32_t lengthId, const StockMove& change)
{
    if (const int code = requireTransaction(); code != 0)
        return code;
    ProfileLengthRecord length;
    if (const int code = readLength(lengthId, length); code != 0)
        return code;
    return storeCounts(length, change);
}

int StockBooking::move(uint32_t lengthId, const StockMove& change, uint32_t expectedProfile, uint32_t expectedLenght)
{
    if (const int code = requireTransaction(); code != 0)
        return code;
    ProfileLengthRecord length;
    if (const int code = readLength(lengthId, length); code != 0)
        return code;
    if (length.profileId != expectedProfile || length.lenght != expectedLenght)
        return fail(Failure::LengthMismatch, err::RecordChanged,
                    QStringLiteral("Długość profila (id %1) to teraz %2 mm profila %3 zamiast %4 mm profila %5: "
                                   "rekord został zmieniony na innym stanowisku. Zmiany niemożliwe. Numer błędu = %6")
                        .arg(lengthId).arg(length.lenght).arg(length.profileId).arg(expectedLenght).arg(expectedProfile)
                        .arg(err::RecordChanged));
    return storeCounts(length, change);
}

int StockBooking::lengthOf(uint32_t profileId, uint32_t lenght, ProfileLengthRecord& out, bool& created)
{
    created = false;
    if (const int code = requireTransaction(); code != 0)
        return code;
    ProfileLengthRecord key;
    key.profileId = profileId;
    key.lenght = lenght;
    Table<ProfileLengthRecord> search(db_);
    search.set(Table<ProfileLengthRecord>::ByProfile, key, 2);
    ProfileLengthRecord found;
    const int code = search.next(found);
    if (code == 0 && found.profileId == profileId && found.lenght == lenght) {
        out = found;
        return 0;
    }
    if (code != 0 && code != err::NoMoreRecords)
        return fail(Failure::ReadLength, code,
                    QStringLiteral("Błąd odwołania do listy długości profila. Po GET ErrorCode = %1").arg(code));
    out = ProfileLengthRecord{};
    out.profileId = profileId;
    out.lenght = lenght;
    if (const int add = lengths_.addWithNewIdentifier(out); add != 0)
        return fail(Failure::WriteLength, add,
                    QStringLiteral("Błąd dodawania rekordu do listy długości profili. Po ADD ErrorCode = %1").arg(add));
    created = true;
    return 0;
}

int StockBooking::addLength(ProfileLengthRecord& length)
{
    if (const int code = requireTransaction(); code != 0)
        return code;
    if (const int code = lengths_.addWithNewIdentifier(length); code != 0)
        return fail(Failure::WriteLength, code,
                    QStringLiteral("Błąd zapisu do bazy informacji o długości profila. Błąd = %1").arg(code));
    remember(length, StockMove{length.intStock, static_cast<int32_t>(length.extStock), length.incomStock});
    return 0;
}

int StockBooking::setCounts(uint32_t lengthId, int32_t intStock, uint32_t extStock, int32_t incomStock)
{
    if (const int code = requireTransaction(); code != 0)
        return code;
    ProfileLengthRecord length;
    if (const int code = readLength(lengthId, length); code != 0)
        return code;
    const StockMove change{intStock - length.intStock,
                           static_cast<int32_t>(int64_t(extStock) - int64_t(length.extStock)),
                           incomStock - length.incomStock};
    return storeCounts(length, change);
}

int StockBooking::removeLength(uint32_t lengthId)
{
    if (const int code = requireTransaction(); code != 0)
        return code;
    ProfileLengthRecord length;
    if (const int code = readLength(lengthId, length); code != 0)
        return code;
    if (const int code = lengths_.remove(); code != 0)
        return fail(Failure::WriteLength, code,
                    QStringLiteral("Błąd zapisu do bazy informacji o długości profila. Błąd = %1").arg(code));
    remember(length, StockMove{-length.intStock, -static_cast<int32_t>(length.extStock), -length.incomStock});
    return 0;
}

int StockBooking::finish()
{
    if (const int code = requireTransaction(); code != 0)
        return code;
    Table<StockChangeRecord> log(db_);
    for (const auto& [key, touched] : touched_) {
        const uint32_t document = namesTheLength(operation_) ? touched.lengthId : document_;
        StockChangeRecord line = logLine(stamp_, operation_, key.first, key.second, touched.change, document);
        if (const int code = addStockChange(log, line); code != 0)
            return fail(Failure::WriteLog, code,
                        QStringLiteral("Błąd zapisu do bazy informacji o zmianach stanu. Błąd = %1").arg(code));
    }
    touched_.clear();
    return 0;
}

int writeOpeningBalance(Database& db, const LogStamp& stamp, bool onlyWhenEmpty, QString& error)
{
    if (!db.inTransaction()) {
        error = QStringLiteral("Bilans otwarcia stanów poza transakcją bazy danych jest niedozwolony. Numer błędu = %1")
                    .arg(err::StorageError);
        return err::StorageError;
    }
    bool empty = false;
    int code = 0;
    if (!logIsEmpty(db, empty, code)) {
        error = QStringLiteral("System Error after Previous for STOCK_CHANGE. ErrorCode = %1").arg(code);
        return code;
    }
    if (onlyWhenEmpty && !empty)
        return 0;
    Table<ProfileLengthRecord> lengths(db);
    const QList<ProfileLengthRecord> all = lengths.rows(Table<ProfileLengthRecord>::Auto);
    if (lengths.errorCode() != 0) {
        error = QStringLiteral("Error after NEXT for PROFILES_LENGHTS. ErrorCode = %1").arg(lengths.errorCode());
        return lengths.errorCode();
    }
    code = empty ? writeOpeningLinesOnEmptyLog(db, stamp, all) : writeOpeningLinesAfterOthers(db, stamp, all);
    if (code != 0)
        error = QStringLiteral("Błąd zapisu do bazy informacji o zmianach stanu. Błąd = %1").arg(code);
    return code;
}

} // namespace global
