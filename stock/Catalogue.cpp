#include "stock/Catalogue.h"

#include "global/Statuses.h"
#include "global/Table.h"

using namespace global;

namespace stock {

namespace {

constexpr int ActionLockWaitMs = 2000;

using Lengths = Table<ProfileLengthRecord>;
using Cuts = Table<CutRecord>;

int readLength(Lengths& lengths, uint32_t id, ProfileLengthRecord& out)
{
    out = ProfileLengthRecord{};
    out.id = id;
    return lengths.fetch(Lengths::Auto, out);
}

int readPiece(Cuts& cuts, uint32_t id, CutRecord& out)
{
    out = CutRecord{};
    out.id = id;
    return cuts.fetch(Cuts::Auto, out);
}

bool offerable(const ProfileLengthRecord& length, uint32_t profileId)
{
    return length.profileId == profileId && length.status == 0 && length.blockSelection == 0;
}

} // namespace

QList<uint16_t> piecesSummedOn(ProfileTab tab)
{
    switch (tab) {
    case ProfileTab::Approved: return {1};
    case ProfileTab::New: return {0};
    case ProfileTab::InProduction: return {2};
    case ProfileTab::Active:
    case ProfileTab::All: break;
    }
    return {0, 1};
}

int pieceStatusRequiredOn(ProfileTab tab)
{
    switch (tab) {
    case ProfileTab::Approved: return 1;
    case ProfileTab::New: return 0;
    case ProfileTab::InProduction: return 2;
    case ProfileTab::Active:
    case ProfileTab::All: break;
    }
    return -1;
}

int pieceTabFollowing(ProfileTab tab)
{
    switch (tab) {
    case ProfileTab::Approved: return 0;       // "Zatwierdzone"
    case ProfileTab::New: return 1;            // "Nowe"
    case ProfileTab::InProduction: return 2;   // "W produkcji"
    case ProfileTab::Active:
    case ProfileTab::All: break;
    }
    return -1;
}

int profileTotals(Database& db, uint32_t profileId, const QList<uint16_t>& statuses, ProfileTotals& out)
{
    out = ProfileTotals{};
    Cuts cuts(db);
    for (const uint16_t status : statuses) {
        CutRecord key;
        key.profileId = profileId;
        key.status = status;
        for (const CutRecord& piece : cuts.rows(Cuts::ByProfileStatus, key, 2)) {
            out.orderedPieces += piece.pcs;
            out.orderedMetres += double(piece.lenght) * double(piece.pcs) / 1000.0;
        }
        if (cuts.errorCode() != 0)
            return cuts.errorCode();
    }
    Lengths lengths(db);
    ProfileLengthRecord key;
    key.profileId = profileId;
    for (const ProfileLengthRecord& length : lengths.rows(Lengths::ByProfile, key, 1)) {
        out.stockPieces += length.intStock;
        out.stockMetres += double(length.intStock) * double(length.lenght) / 1000.0;
    }
    return lengths.errorCode();
}

int hasPiecesOfStatus(Database& db, uint32_t profileId, uint16_t status, bool& has)
{
    Cuts cuts(db);
    CutRecord key;
    key.profileId = profileId;
    key.status = status;
    cuts.set(Cuts::ByProfileStatus, key, 2);
    CutRecord piece;
    const int code = cuts.next(piece);
    has = code == 0 && piece.profileId == profileId && piece.status == status;
    return code == err::NoMoreRecords ? 0 : code;
}

void ProfileTotalsCache::setStatuses(const QList<uint16_t>& statuses)
{
    if (statuses == statuses_)
        return;
    statuses_ = statuses;
    totals_.clear();
}

const ProfileTotals& ProfileTotalsCache::of(uint32_t profileId)
{
    auto found = totals_.find(profileId);
    if (found == totals_.end()) {
        ProfileTotals totals;
        if (const int code = profileTotals(db_, profileId, statuses_, totals); code != 0) {
            failed(code);
            totals = ProfileTotals{};
        }
        found = totals_.insert(profileId, totals);
    }
    return *found;
}

bool ProfileTotalsCache::hasPieces(uint32_t profileId, uint16_t status)
{
    const quint64 key = (quint64(profileId) << 16) | status;
    auto found = hasPieces_.find(key);
    if (found == hasPieces_.end()) {
        bool has = false;
        if (const int code = hasPiecesOfStatus(db_, profileId, status, has); code != 0)
            failed(code);
        found = hasPieces_.insert(key, has);
    }
    return *found;
}

void ProfileTotalsCache::failed(int code)
{
    const bool first = lastError_ == 0;
    lastError_ = code;
    if (first && onFailure_)
        onFailure_(code);
}

void ProfileTotalsCache::forget()
{
    totals_.clear();
    hasPieces_.clear();
    lastError_ = 0;
}

bool holdsSomething(const ProfileLengthRecord& length)
{
    return length.intStock != 0 || length.extStock != 0 || length.incomStock != 0 || length.unlimitedStock != 0;
}

bool LengthTags::toggle(const ProfileLengthRecord& length)
{
    if (tags_.remove(length.id))
        return false;
    if (length.blockSelection != 0)
        return false;
    tags_.insert(length.id);
    return true;
}

bool toggleLengthBlock(Database& db, const Services& services, ProfileLengthRecord& length, LengthTags& tags)
{
    const auto fail = [&](int code) {
        services.dialogs.message(QStringLiteral("System error where update lenghts record. ErrorCode = %1").arg(code));
        return false;
    };
    Transaction tx(db, ActionLockWaitMs);
    if (!tx.ok())
        return fail(tx.result());
    Lengths lengths(db);
    ProfileLengthRecord stored;
    if (const int code = readLength(lengths, length.id, stored); code != 0)
        return fail(code);
    stored.blockSelection = stored.blockSelection != 0 ? 0 : 1;
    if (const int code = lengths.update(stored); code != 0)
        return fail(code);
    if (const int code = tx.commit(); code != 0)
        return fail(code);
    if (stored.blockSelection != 0)
        tags.untag(stored.id);
    length = stored;
    return true;
}

bool togglePieceBlock(Database& db, const Services& services, CutRecord& piece)
{
    const auto fail = [&](int code) {
        services.dialogs.message(QStringLiteral("System Error after PUT for CUTS table. ErrorCode = %1").arg(code));
        return false;
    };
    Transaction tx(db, ActionLockWaitMs);
    if (!tx.ok())
        return fail(tx.result());
    Cuts cuts(db);
    CutRecord stored;
    if (const int code = readPiece(cuts, piece.id, stored); code != 0)
        return fail(code);
    stored.block = stored.block != 0 ? 0 : 1;
    if (const int code = cuts.update(stored); code != 0)
        return fail(code);
    if (const int code = tx.commit(); code != 0)
        return fail(code);
    piece = stored;
    return true;
}

bool removeJoins(Database& db, const Services& services, CutRecord& piece)
{
    if (piece.lenght1 == 0)
        return false;
    if (services.dialogs.ask(QStringLiteral("Usunąć zdefiniowany podział ?"), {QStringLiteral("Tak"), QStringLiteral("Nie")})
        != 0)
        return false;
    const auto fail = [&](int code) {
        services.dialogs.message(QStringLiteral("ErrorCode when updating CUTS table. ErrorCode = %1").arg(code));
        return false;
    };
    Transaction tx(db, ActionLockWaitMs);
    if (!tx.ok())
        return fail(tx.result());
    Cuts cuts(db);
    CutRecord stored;
    if (const int code = readPiece(cuts, piece.id, stored); code != 0)
        return fail(code);
    if (stored.status >= global::stored(CutStatus::InProduction)) {
        services.dialogs.message(
            QStringLiteral("Element jest w produkcji lub został wycięty. Podziału nie można usunąć"));
        piece = stored;
        return false;
    }
    stored.sectionPerc = 0;
    stored.lenght1 = 0;
    stored.lenght2 = 0;
    if (const int code = cuts.update(stored); code != 0)
        return fail(code);
    if (const int code = tx.commit(); code != 0)
        return fail(code);
    piece = stored;
    return true;
}

uint8_t methodOf(OptimizerButton button)
{
    switch (button) {
    case OptimizerButton::Method0: return 0;
    case OptimizerButton::Method1: return 1;
    case OptimizerButton::Method2: return 2;
    case OptimizerButton::Method3: return 3;
    case OptimizerButton::Method4: return 4;
    case OptimizerButton::Extend: return 0;
    }
    return 0;
}

QString noLengthsToOptimizeMessage()
{
    return QStringLiteral(
        "Brak stanów magazynowych oraz określonych długości handlowych do optymalizacji tego elementu");
}

bool optimizerRequest(Database& db, const Services& services, OptimizerButton button, uint32_t profileId,
                      const LengthTags& tags, int pieceTab, uint32_t selectionStart, uint32_t extendLength,
                      OptimizerRequest& out)
{
    out = OptimizerRequest{};
    out.profile = profileId;
    out.mode = methodOf(button);
    out.status = uint8_t(qBound(1, pieceTab + 1, 3));
    out.selectionStart = selectionStart;
    out.extend = button == OptimizerButton::Extend ? extendLength : 0;

    Lengths lengths(db);
    ProfileLengthRecord key;
    key.profileId = profileId;
    const QList<ProfileLengthRecord> ofProfile = lengths.rows(Lengths::ByProfile, key, 1);
    if (lengths.errorCode() != 0) {
        services.dialogs.message(
            QStringLiteral("System error after NEXT for PROFILES_LENGHT Table. ErrorCode = %1").arg(lengths.errorCode()));
        return false;
    }
    bool taggedAny = false;
    for (const ProfileLengthRecord& length : ofProfile) {
        if (!tags.contains(length.id))
            continue;
        taggedAny = true;
        if (offerable(length, profileId))
            out.lengths.push_back(length.id);
    }
    if (taggedAny && out.lengths.empty()) {
        services.dialogs.message(noLengthsToOptimizeMessage());
        return false;
    }
    return true;
}

} // namespace stock
