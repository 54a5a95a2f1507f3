#include "stock/StockLengths.h"

#include "global/StockBooking.h"
#include "global/Table.h"

#include <limits>

using namespace global;

namespace stock {

namespace {

constexpr int FormLockWaitMs = 2000;
constexpr int OpeningBalanceLockWaitMs = 3000;

const QString TransactionBlocked = QStringLiteral(
    "Błąd podczas otwarcia transacji. Nie mozna zapisać danych. Prawdopodobnie tabela jest blokowana przez inny "
    "proces");

bool sameCounts(const ProfileLengthRecord& a, const ProfileLengthRecord& b)
{
    return a.intStock == b.intStock && a.extStock == b.extStock && a.incomStock == b.incomStock;
}

bool sameFlags(const ProfileLengthRecord& a, const ProfileLengthRecord& b)
{
    return a.status == b.status && a.unlimitedStock == b.unlimitedStock && a.blockSelection == b.blockSelection
        && a.typicalLength == b.typicalLength;
}

// Whether the stored length is still the one the form loaded.
bool unchangedSinceLoading(const ProfileLengthRecord& stored, const ProfileLengthRecord& loaded)
{
    return sameCounts(stored, loaded) && sameFlags(stored, loaded) && stored.profileId == loaded.profileId
        && stored.lenght == loaded.lenght;
}

// The fields of the form that are no counts, written over the stored length.
void takeFlags(ProfileLengthRecord& stored, const ProfileLengthRecord& buffer)
{
    stored.status = buffer.status;
    stored.unlimitedStock = buffer.unlimitedStock;
    stored.blockSelection = buffer.blockSelection;
    stored.typicalLength = buffer.typicalLength;
}

int fetchLength(Table<ProfileLengthRecord>& lengths, uint32_t id, ProfileLengthRecord& out)
{
    out = ProfileLengthRecord{};
    out.id = id;
    return lengths.fetch(Table<ProfileLengthRecord>::Auto, out);
}

// The length of the profile with exactly this value, if any (35 when there is none).
int findLength(Database& db, uint32_t profileId, uint32_t lenght, ProfileLengthRecord& out)
{
    Table<ProfileLengthRecord> lengths(db);
    ProfileLengthRecord key;
    key.profileId = profileId;
    key.lenght = lenght;
    out = key;
    return lengths.fetch(Table<ProfileLengthRecord>::ByProfile, out);
}

// 0 when the profile exists, 35 when it does not, else the error of reading it.
int profileExists(Database& db, uint32_t profileId)
{
    Table<ProfileRecord> profiles(db);
    ProfileRecord profile;
    profile.id = profileId;
    return profiles.fetch(Table<ProfileRecord>::Auto, profile);
}

} // namespace

QString countsText(const ProfileLengthRecord& length)
{
    return QStringLiteral("w magazynie %1, w mag. zewn. %2, w produkcji %3")
        .arg(length.intStock)
        .arg(length.extStock)
        .arg(length.incomStock);
}

LengthForm::LengthForm(Database& db, const Services& services) : db_(db), services_(services) {}

LengthResponse LengthForm::refuse(const QString& text, LengthRefusal why)
{
    refusal_ = why;
    lastMessage_ = text;
    services_.dialogs.message(text);
    return LengthResponse::Refused;
}

bool LengthForm::inputAcceptable(const ProfileLengthRecord& buffer)
{
    if (buffer.lenght < 1) {
        refuse(QStringLiteral("Długość dostępna musi wynosić co najmniej 1 mm"), LengthRefusal::Input);
        return false;
    }
    if (buffer.extStock > uint32_t(std::numeric_limits<int32_t>::max())) {
        refuse(QStringLiteral("Ilość w magazynie zewnętrznym nie może być ujemna"), LengthRefusal::Input);
        return false;
    }
    return true;
}

LengthResponse LengthForm::run(LengthRequest request, uint32_t profileId, const ProfileLengthRecord& loaded,
                               ProfileLengthRecord& buffer)
{
    switch (request) {
    case LengthRequest::Insert: return insert(profileId, buffer);
    case LengthRequest::Change: return change(loaded, buffer);
    case LengthRequest::Delete: return remove(buffer);
    }
    return refuse(QStringLiteral("Action %1 not allowed in this procedure").arg(static_cast<int>(request)),
                  LengthRefusal::Input);
}

LengthResponse LengthForm::insert(uint32_t profileId, ProfileLengthRecord& buffer)
{
    lastMessage_.clear();
    refusal_ = LengthRefusal::None;
    if (!inputAcceptable(buffer))
        return LengthResponse::Refused;
    Transaction tx(db_, FormLockWaitMs);
    if (!tx.ok())
        return refuse(TransactionBlocked);

    // The profile may have been deleted on another station since the form opened: a length of no
    // profile would hold stock nobody sees.
    if (const int code = profileExists(db_, profileId); code != 0) {
        if (code == err::RecordNotFound)
            return refuse(QStringLiteral("Profil %1 nie istnieje (usunięty na innym stanowisku). Nic nie zapisano")
                              .arg(profileId),
                          LengthRefusal::Gone);
        return refuse(QStringLiteral("Błąd odwołania do profila. Błąd = %1").arg(code));
    }
    // Whether the length exists is decided inside the transaction, where no other station can add it.
    ProfileLengthRecord existing;
    const int found = findLength(db_, profileId, buffer.lenght, existing);
    if (found == 0) {
        tx.rollback();
        buffer = existing;
        lastMessage_ = QStringLiteral(
            "Podana długość już istnieje dla wybranego profila. Dopisanie takiej samej nie jest możliwe");
        services_.dialogs.message(lastMessage_);
        return LengthResponse::AlreadyExists;
    }
    if (found != err::RecordNotFound)
        return refuse(QStringLiteral("Błąd odwołania do listy długości profila. Błąd = %1").arg(found));

    StockBooking booking(db_, StockOperation::LengthAdded, LogStamp::of(services_.clock, services_.identity));
    ProfileLengthRecord added = buffer;
    added.profileId = profileId;
    if (booking.begin() != 0 || booking.addLength(added) != 0 || booking.finish() != 0)
        return refuse(booking.errorText());
    if (const int code = tx.commit(); code != 0)
        return refuse(QStringLiteral("Błąd zapisu transakcji COMMIT. Błąd = %1").arg(code));
    buffer = added;
    return LengthResponse::Done;
}

LengthResponse LengthForm::change(const ProfileLengthRecord& loaded, ProfileLengthRecord& buffer)
{
    lastMessage_.clear();
    refusal_ = LengthRefusal::None;
    if (!inputAcceptable(buffer))
        return LengthResponse::Refused;
    Transaction tx(db_, FormLockWaitMs);
    if (!tx.ok())
        return refuse(TransactionBlocked);

    Table<ProfileLengthRecord> lengths(db_);
    ProfileLengthRecord stored;
    if (const int code = fetchLength(lengths, loaded.id, stored); code != 0) {
        if (code == err::RecordNotFound)
            return refuse(QStringLiteral("Długość %1 mm została usunięta na innym stanowisku. Zmiany niemożliwe")
                              .arg(loaded.lenght),
                          LengthRefusal::Gone);
        return refuse(QStringLiteral("Error get original record from Profiles_Lenghts table. ErrorCode = %1").arg(code));
    }
    // The form was read some time ago; another station may have booked or changed the flags since.
    // Writing the form over it would lose that station's change.
    if (!unchangedSinceLoading(stored, loaded)) {
        tx.rollback();
        buffer = stored;
        return refuse(QStringLiteral("Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe.|"
                                     "Stan obecny długości %1 mm: %2. Numer błędu = %3")
                          .arg(stored.lenght)
                          .arg(countsText(stored))
                          .arg(err::RecordChanged),
                      LengthRefusal::ChangedElsewhere);
    }

    if (!sameCounts(stored, buffer)) {
        StockBooking booking(db_, StockOperation::QuantityChanged, LogStamp::of(services_.clock, services_.identity));
        if (booking.begin() != 0 || booking.setCounts(stored.id, buffer.intStock, buffer.extStock, buffer.incomStock) != 0
            || booking.finish() != 0)
            return refuse(booking.errorText());
        if (const int code = fetchLength(lengths, stored.id, stored); code != 0)
            return refuse(QStringLiteral("Error get original record from Profiles_Lenghts table. ErrorCode = %1").arg(code));
    }
    takeFlags(stored, buffer);
    if (const int code = lengths.update(stored); code != 0)
        return refuse(QStringLiteral("Error update prifile lenght record. ErrorCode = %1").arg(code));
    if (const int code = tx.commit(); code != 0)
        return refuse(QStringLiteral("Błąd zapisu transakcji COMMIT. Błąd = %1").arg(code));
    buffer = stored;
    return LengthResponse::Done;
}

int LengthForm::usedByCuttingOrder(const ProfileLengthRecord& length, bool& used)
{
    used = false;
    Table<StockTransItemRecord> items(db_);
    StockTransItemRecord key;
    key.profileLenghtId = length.id;
    for (const StockTransItemRecord& bar : items.rows(Table<StockTransItemRecord>::ByLenghtId, key, 1))
        if (bar.profileLenght == length.lenght)
            used = true;
    if (items.errorCode() != 0)
        return items.errorCode();
    if (used)
        return 0;
    // A remnant is named by the length's identifier alone; no key leads to it.
    for (const StockTransItemRecord& bar : items.rows(Table<StockTransItemRecord>::Auto))
        if (bar.remnantId == length.id) {
            used = true;
            break;
        }
    return items.errorCode();
}

int LengthForm::removeExclusionsOf(uint32_t lengthId)
{
    Table<OrderProfileBlockedLengthRecord> exclusions(db_);
    const QList<OrderProfileBlockedLengthRecord> all = exclusions.rows(Table<OrderProfileBlockedLengthRecord>::Auto);
    if (exclusions.errorCode() != 0)
        return exclusions.errorCode();
    for (OrderProfileBlockedLengthRecord row : all) {
        if (row.length != lengthId)
            continue;
        if (const int code = exclusions.fetch(Table<OrderProfileBlockedLengthRecord>::Auto, row); code != 0)
            return code;
        if (const int code = exclusions.remove(); code != 0)
            return code;
    }
    return 0;
}

LengthResponse LengthForm::remove(ProfileLengthRecord& buffer)
{
    lastMessage_.clear();
    refusal_ = LengthRefusal::None;
    const QString inUse =
        QStringLiteral("Ta długość profila występuje w zapisanych dokumentach produkcyjnych. Usunięcie niemożliwe");
    bool used = false;
    if (const int code = usedByCuttingOrder(buffer, used); code != 0)
        return refuse(QStringLiteral("System error after NEXT for STOCK_TRANS_ITEMS. ErrorCode = %1").arg(code));
    if (used)
        return refuse(inUse, LengthRefusal::InUse);
    if (services_.dialogs.ask(QStringLiteral("Na pewno usunąć tę długość ?"),
                              {QStringLiteral("Tak"), QStringLiteral("Nie")}) != 0)
        return LengthResponse::Cancelled;

    Transaction tx(db_, FormLockWaitMs);
    if (!tx.ok())
        return refuse(TransactionBlocked);
    Table<ProfileLengthRecord> lengths(db_);
    ProfileLengthRecord stored;
    if (const int code = fetchLength(lengths, buffer.id, stored); code != 0)
        return refuse(QStringLiteral("System error after GET for  PROFILES_LENGHTS. ErrorCode = %1").arg(code),
                      code == err::RecordNotFound ? LengthRefusal::Gone : LengthRefusal::Storage);
    // A cutting order accepted since the question may have taken the length meanwhile.
    if (const int code = usedByCuttingOrder(stored, used); code != 0)
        return refuse(QStringLiteral("System error after NEXT for STOCK_TRANS_ITEMS. ErrorCode = %1").arg(code));
    if (used)
        return refuse(inUse, LengthRefusal::InUse);

    StockBooking booking(db_, StockOperation::LengthRemoved, LogStamp::of(services_.clock, services_.identity));
    if (booking.begin() != 0 || booking.removeLength(stored.id) != 0 || booking.finish() != 0)
        return refuse(booking.errorText());
    if (const int code = removeExclusionsOf(stored.id); code != 0)
        return refuse(QStringLiteral("Błąd usuwania wykluczeń długości z pozycji zamówień. Błąd = %1").arg(code));
    if (const int code = tx.commit(); code != 0)
        return refuse(QStringLiteral("Błąd zapisu transakcji COMMIT. Błąd = %1").arg(code));
    buffer = stored;
    return LengthResponse::Done;
}

OpeningBalance createStockLog(Database& db, const Services& services)
{
    Transaction tx(db, OpeningBalanceLockWaitMs);
    if (!tx.ok()) {
        services.dialogs.message(QStringLiteral("Błąd otwarcia transakcji. Nr błędu = %1").arg(tx.result()));
        return OpeningBalance::Failed;
    }
    Table<StockChangeRecord> log(db);
    log.setEnd(Table<StockChangeRecord>::Auto);
    StockChangeRecord last;
    const int read = log.previous(last);
    if (read == 0) {
        tx.rollback();
        return OpeningBalance::LogNotEmpty;
    }
    if (read != err::NoMoreRecords) {
        services.dialogs.message(QStringLiteral("System Error after Previous for STOCK_CHANGE. ErrorCode = %1").arg(read));
        return OpeningBalance::Failed;
    }
    QString error;
    if (writeOpeningBalance(db, LogStamp::of(services.clock, services.identity), true, error) != 0) {
        services.dialogs.message(error);
        return OpeningBalance::Failed;
    }
    if (const int code = tx.commit(); code != 0) {
        services.dialogs.message(QStringLiteral("Błąd zapisu transakcji. Nr błędu = %1").arg(code));
        return OpeningBalance::Failed;
    }
    return OpeningBalance::Written;
}

} // namespace stock
