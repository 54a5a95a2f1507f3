#include "stock/ProfileForm.h"

#include "global/StockBooking.h"
#include "global/Table.h"

#include <QSet>

using namespace global;

namespace stock {

namespace {

constexpr int FormLockWaitMs = 3000;

using Profiles = Table<ProfileRecord>;
using Lengths = Table<ProfileLengthRecord>;
using Positions = Table<OrderProfileRecord>;

QString trimmedRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

bool holdsStock(const ProfileLengthRecord& length)
{
    return length.intStock != 0 || length.extStock != 0 || length.incomStock != 0;
}

int fetchProfile(Profiles& profiles, uint32_t id, ProfileRecord& out)
{
    out = ProfileRecord{};
    out.id = id;
    return profiles.fetch(Profiles::Auto, out);
}

bool sameStored(const ProfileRecord& a, const ProfileRecord& b)
{
    return toStoredValues(a) == toStoredValues(b);
}

} // namespace

QString duplicateCodeMessage()
{
    return QStringLiteral("Profil o podanym symbolu już istnieje w bazie danych. Duplikat niemożliwy");
}

ProfileForm::ProfileForm(Database& db, const Services& services) : db_(db), services_(services) {}

ProfileResponse ProfileForm::refuse(const QString& text, ProfileField field)
{
    lastMessage_ = text;
    focus_ = field;
    services_.dialogs.message(text);
    if (field != ProfileField::None)
        services_.beeper.beep();
    return ProfileResponse::Refused;
}

bool ProfileForm::requiredValuesPresent(const ProfileRecord& buffer)
{
    if (trimmedRight(buffer.profileCode).isEmpty()) {
        refuse(QStringLiteral("Kod profila musi być wypełniony"), ProfileField::Code);
        return false;
    }
    if (buffer.remnantLenght == 0) {
        refuse(QStringLiteral("Minimalny odpad użyteczny musi być większy od zera"), ProfileField::RemnantLenght);
        return false;
    }
    return true;
}

int ProfileForm::findByCode(const QString& code, ProfileRecord& found)
{
    Profiles profiles(db_);
    found = ProfileRecord{};
    found.profileCode = trimmedRight(code);
    return profiles.fetch(Profiles::ByCode, found);
}

bool ProfileForm::codeFree(const QString& code, uint32_t self)
{
    ProfileRecord holder;
    const int read = findByCode(code, holder);
    if (read == err::RecordNotFound || (read == 0 && holder.id == self && self != 0))
        return true;
    if (read == 0)
        refuse(duplicateCodeMessage(), ProfileField::Code);
    else
        refuse(QStringLiteral("System Error after GET for Profiles list. ErrorCode = %1").arg(read));
    return false;
}

ProfileResponse ProfileForm::insert(ProfileRecord& buffer)
{
    lastMessage_.clear();
    focus_ = ProfileField::None;
    if (!requiredValuesPresent(buffer) || !codeFree(buffer.profileCode, 0))
        return ProfileResponse::Refused;
    return createNewProfile(buffer);
}

ProfileResponse ProfileForm::createNewProfile(ProfileRecord& buffer)
{
    Transaction tx(db_, FormLockWaitMs);
    if (!tx.ok())
        return refuse(QStringLiteral("Błąd podczas otwarcia transakcji. Nie mozna zapisać danych. Numer błędu = %1")
                          .arg(tx.result()));
    ProfileRecord existing;
    const int found = findByCode(buffer.profileCode, existing);
    if (found == 0) {
        tx.rollback();
        buffer = existing;
        lastMessage_ = duplicateCodeMessage();
        services_.dialogs.message(lastMessage_);
        return ProfileResponse::Duplicate;
    }
    if (found != err::RecordNotFound)
        return refuse(QStringLiteral("System Error after GET for Profiles list. ErrorCode = %1").arg(found));

    Profiles profiles(db_);
    ProfileRecord added = buffer;
    added.id = 0;
    added.profileCode = trimmedRight(added.profileCode);
    if (const int code = profiles.addWithNewIdentifier(added); code != 0)
        return refuse(QStringLiteral("System Error after Add new record for Profile Table. ErrorCode = %1").arg(code));
    if (const int code = tx.commit(); code != 0)
        return refuse(QStringLiteral("Błąd zapisu transakcji COMMIT. Błąd = %1").arg(code));
    buffer = added;
    return ProfileResponse::Done;
}

int ProfileForm::carryCodeIntoPositions(uint32_t profileId, const QString& code)
{
    Positions positions(db_);
    OrderProfileRecord key;
    key.profileId = profileId;
    const QList<OrderProfileRecord> ofProfile = positions.rows(Positions::ByProfile, key, 1);
    if (positions.errorCode() != 0)
        return positions.errorCode();
    for (OrderProfileRecord position : ofProfile) {
        if (position.status > 2)   // closed orders keep the code they were cut under
            continue;
        if (const int rc = positions.fetch(Positions::Auto, position); rc != 0)
            return rc;
        position.profileCode = code;
        if (const int rc = positions.update(position); rc != 0)
            return rc;
    }
    return 0;
}

ProfileResponse ProfileForm::change(const ProfileRecord& loaded, ProfileRecord& buffer)
{
    lastMessage_.clear();
    focus_ = ProfileField::None;
    if (!requiredValuesPresent(buffer))
        return ProfileResponse::Refused;
    buffer.profileCode = trimmedRight(buffer.profileCode);
    const bool codeChanged = buffer.profileCode != trimmedRight(loaded.profileCode);
    if (codeChanged && !codeFree(buffer.profileCode, loaded.id))
        return ProfileResponse::Refused;

    Transaction tx(db_, FormLockWaitMs);
    if (!tx.ok())
        return refuse(QStringLiteral("Błąd podczas otwarcia transakcji. Nie mozna zapisać danych. Numer błędu = %1")
                          .arg(tx.result()));
    Profiles profiles(db_);
    ProfileRecord stored;
    if (const int code = fetchProfile(profiles, loaded.id, stored); code != 0) {
        if (code == err::RecordNotFound)
            return refuse(QStringLiteral("Profil %1 został usunięty na innym stanowisku. Zmiany niemożliwe")
                              .arg(loaded.profileCode));
        return refuse(QStringLiteral("Error GET changed record in DB. ErrorCode = %1").arg(code));
    }
    if (!sameStored(stored, loaded)) {
        tx.rollback();
        buffer = stored;
        return refuse(QStringLiteral("Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe. Numer błędu = %1")
                          .arg(err::RecordChanged));
    }
    // Another station may have taken the code since the test above.
    if (codeChanged) {
        ProfileRecord holder;
        const int found = findByCode(buffer.profileCode, holder);
        if (found == 0 && holder.id != loaded.id)
            return refuse(duplicateCodeMessage(), ProfileField::Code);
        if (found != 0 && found != err::RecordNotFound)
            return refuse(QStringLiteral("System Error after GET for Profiles list. ErrorCode = %1").arg(found));
        if (const int code = carryCodeIntoPositions(loaded.id, buffer.profileCode); code != 0)
            return refuse(
                QStringLiteral("Systemowy błąd zmiany kodu profila w otwartych zleceniach. Numer błędu = %1").arg(code));
    }
    ProfileRecord written = buffer;
    written.id = loaded.id;
    if (const int code = profiles.update(written); code != 0)
        return refuse(QStringLiteral("Error when updating PROFILES table. ErrorCode = %1").arg(code));
    if (const int code = tx.commit(); code != 0)
        return refuse(QStringLiteral("Błąd zapisu transakcji COMMIT. Błąd = %1").arg(code));
    buffer = written;
    return ProfileResponse::Done;
}

int ProfileForm::usedByDocuments(uint32_t profileId, QString& refusal)
{
    Table<StockTransRecord> transactions(db_);
    StockTransRecord transKey;
    transKey.profileId = profileId;
    const qint64 cuttingOrders = transactions.count(Table<StockTransRecord>::ByProfile, transKey, 1);
    if (transactions.errorCode() != 0)
        return transactions.errorCode();
    if (cuttingOrders > 0) {
        refusal = QStringLiteral(
            "Wskazany profil występuje w dokumentach produkcyjnych. Usunięcie niemozliwe. Można ukryć na liście");
        return 0;
    }
    Positions positions(db_);
    OrderProfileRecord positionKey;
    positionKey.profileId = profileId;
    const qint64 orderPositions = positions.count(Positions::ByProfile, positionKey, 1);
    if (positions.errorCode() != 0)
        return positions.errorCode();
    if (orderPositions > 0)
        refusal = QStringLiteral(
            "Wskazany profil występuje w zamówieniach. Usunięcie niemożliwe. Można ukryć na liście wyboru");
    return 0;
}

// The stock lengths of the profile leave the stock: a length that holds stock is booked out with its
// log line, an empty one is deleted; the exclusions that name a length go with it.
int ProfileForm::removeLengthsOf(uint32_t profileId, QString& error)
{
    Lengths lengths(db_);
    ProfileLengthRecord key;
    key.profileId = profileId;
    const QList<ProfileLengthRecord> ofProfile = lengths.rows(Lengths::ByProfile, key, 1);
    if (lengths.errorCode() != 0) {
        error = QStringLiteral("System Error after NEXT for PROFILES_LENGHTS. ErrorCode = %1").arg(lengths.errorCode());
        return lengths.errorCode();
    }
    StockBooking booking(db_, StockOperation::LengthRemoved, LogStamp::of(services_.clock, services_.identity));
    if (const int code = booking.begin(); code != 0) {
        error = booking.errorText();
        return code;
    }
    QSet<uint32_t> removed;
    for (ProfileLengthRecord length : ofProfile) {
        removed.insert(length.id);
        if (holdsStock(length)) {
            if (const int code = booking.removeLength(length.id); code != 0) {
                error = booking.errorText();
                return code;
            }
            continue;
        }
        int code = lengths.fetch(Lengths::Auto, length);
        if (code == 0)
            code = lengths.remove();
        if (code != 0) {
            error = QStringLiteral("System Error after DELETE from PROFILES_LENGHTS. ErrorCode = %1").arg(code);
            return code;
        }
    }
    if (const int code = booking.finish(); code != 0) {
        error = booking.errorText();
        return code;
    }

    Table<OrderProfileBlockedLengthRecord> exclusions(db_);
    const QList<OrderProfileBlockedLengthRecord> all = exclusions.rows(Table<OrderProfileBlockedLengthRecord>::Auto);
    int code = exclusions.errorCode();
    for (OrderProfileBlockedLengthRecord row : all) {
        if (code != 0)
            break;
        if (!removed.contains(row.length))
            continue;
        code = exclusions.fetch(Table<OrderProfileBlockedLengthRecord>::Auto, row);
        if (code == 0)
            code = exclusions.remove();
    }
    if (code != 0)
        error = QStringLiteral("Błąd usuwania wykluczeń długości z pozycji zamówień. Błąd = %1").arg(code);
    return code;
}

ProfileResponse ProfileForm::remove(ProfileRecord& buffer)
{
    lastMessage_.clear();
    focus_ = ProfileField::None;
    QString refusal;
    if (const int code = usedByDocuments(buffer.id, refusal); code != 0)
        return refuse(QStringLiteral("System Error after NEXT for ORDER_PROFILES. ErrorCode = %1").arg(code));
    if (!refusal.isEmpty())
        return refuse(refusal);
    {
        Profiles profiles(db_);
        ProfileRecord current;
        if (const int code = fetchProfile(profiles, buffer.id, current); code != 0)
            return refuse(QStringLiteral("Systemowy błąd odwołania do usuwanego profila. Po GET ErrorCode = %1").arg(code));
    }
    if (services_.dialogs.ask(QStringLiteral("Na pewno usunąć wskazany profil i wszystkie informacje o długościach?"),
                              {QStringLiteral("Tak"), QStringLiteral("Nie")})
        != 0)
        return ProfileResponse::Cancelled;

    Transaction tx(db_, FormLockWaitMs);
    if (!tx.ok())
        return refuse(QStringLiteral("Błąd podczas otwarcia transakcji. Nie mozna zapisać danych. Numer błędu = %1")
                          .arg(tx.result()));
    // A cutting order or an order may have taken the profile into use since the question.
    if (const int code = usedByDocuments(buffer.id, refusal); code != 0)
        return refuse(QStringLiteral("System Error after NEXT for ORDER_PROFILES. ErrorCode = %1").arg(code));
    if (!refusal.isEmpty())
        return refuse(refusal);
    Profiles profiles(db_);
    ProfileRecord stored;
    if (const int code = fetchProfile(profiles, buffer.id, stored); code != 0)
        return refuse(QStringLiteral("Systemowy błąd odwołania do usuwanego profila. Po GET ErrorCode = %1").arg(code));
    QString error;
    if (removeLengthsOf(stored.id, error) != 0)
        return refuse(error + QStringLiteral(". Nic nie zapisano"));
    // The lengths were read through another table object: read the profile again before deleting.
    if (const int code = fetchProfile(profiles, buffer.id, stored); code != 0)
        return refuse(QStringLiteral("Systemowy błąd odwołania do usuwanego profila. Po GET ErrorCode = %1").arg(code));
    if (const int code = profiles.remove(); code != 0)
        return refuse(QStringLiteral("Systemowy błąd usuwania profila. Po DELETE ErrorCode = %1. Nic nie zapisano")
                          .arg(code));
    if (const int code = tx.commit(); code != 0)
        return refuse(QStringLiteral("Błąd zapisu transakcji COMMIT. Błąd = %1. Nic nie zapisano").arg(code));
    buffer = stored;
    return ProfileResponse::Done;
}

} // namespace stock
