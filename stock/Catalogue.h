#pragma once
// What the profile catalogue does besides its forms, without its window: the totals of a profile
// for the tab the operator looks at, which profiles a tab shows, the stock lengths tagged for the
// optimizer, blocking stock lengths and pieces, removing the joins of a piece, and the optimizer
// call of each of the six optimizer buttons.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Services.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace stock {

// The tabs of the profile list, in their order.
enum class ProfileTab { Active = 0, Approved = 1, New = 2, InProduction = 3, All = 4 };

// The piece statuses a tab sums in its "Zamówienia" columns.
QList<uint16_t> piecesSummedOn(ProfileTab tab);
// The piece status a profile must have at least one piece of to be shown on the tab; -1 when the
// tab shows profiles by their own status.
int pieceStatusRequiredOn(ProfileTab tab);
// The tab of the piece list that follows a tab of the profile list (-1: it stays as it is).
int pieceTabFollowing(ProfileTab tab);

// The computed columns of one profile.
struct ProfileTotals {
    qint64 orderedPieces = 0;    // "Zamówienia [szt]"
    double orderedMetres = 0;    // "Zamówienia [mb]"
    qint64 stockPieces = 0;      // "Magazyn [szt]": own stock of every length, hidden ones included
    double stockMetres = 0;      // "Magazyn [mb]"
};

// Reads the totals of a profile over its pieces of the given statuses. 0 or an error number.
int profileTotals(global::Database& db, uint32_t profileId, const QList<uint16_t>& statuses, ProfileTotals& out);
// Whether the profile has at least one piece of the status. 0 or an error number.
int hasPiecesOfStatus(global::Database& db, uint32_t profileId, uint16_t status, bool& has);

// The totals of the profiles a list shows, read once per profile and kept until forgotten (after
// anything that may have moved stock or pieces). A read error leaves zeros and is kept for the
// window to report.
class ProfileTotalsCache {
public:
    explicit ProfileTotalsCache(global::Database& db) : db_(db) {}
    void setStatuses(const QList<uint16_t>& statuses);
    const ProfileTotals& of(uint32_t profileId);
    // Whether the profile has a piece of the status (kept like the totals).
    bool hasPieces(uint32_t profileId, uint16_t status);
    void forget();
    int lastError() const { return lastError_; }
    // Called with the error number of the first read that fails after a forget().
    void setFailureHandler(std::function<void(int code)> handler) { onFailure_ = std::move(handler); }

private:
    void failed(int code);

    global::Database& db_;
    std::function<void(int)> onFailure_;
    QList<uint16_t> statuses_;
    QHash<uint32_t, ProfileTotals> totals_;
    QHash<quint64, bool> hasPieces_;
    int lastError_ = 0;
};

// Whether the length list's tab "Aktywne" shows a visible length: it holds some stock or is always
// available on the market.
bool holdsSomething(const global::ProfileLengthRecord& length);

// The stock lengths the operator tagged for the next optimizer run, by identifier. They stay tagged
// while the window is open, whichever profile is highlighted.
class LengthTags {
public:
    bool contains(uint32_t lengthId) const { return tags_.contains(lengthId); }
    // Toggles the tag of a length; a length excluded from optimisation cannot be tagged. Whether the
    // length is tagged afterwards.
    bool toggle(const global::ProfileLengthRecord& length);
    void untag(uint32_t lengthId) { tags_.remove(lengthId); }
    int count() const { return int(tags_.size()); }
    const QSet<uint32_t>& all() const { return tags_; }

private:
    QSet<uint32_t> tags_;
};

// Toggles "Wyłącz z optymalizacji" of a stock length on the record as it is stored now (its counts
// are left as they are); a length that becomes excluded loses its tag. False when it failed (the
// message has been shown); length then holds the stored record when it could be read.
bool toggleLengthBlock(global::Database& db, const global::Services& services, global::ProfileLengthRecord& length,
                       LengthTags& tags);
// Toggles the block of a piece on the record as it is stored now.
bool togglePieceBlock(global::Database& db, const global::Services& services, global::CutRecord& piece);
// "Usuń wszystkie łączenia": asks, then clears the sections of a piece. A piece in production or cut
// keeps its sections (its cutting order was planned with them). False when nothing changed.
bool removeJoins(global::Database& db, const global::Services& services, global::CutRecord& piece);

// The six optimizer buttons of the catalogue.
enum class OptimizerButton { Method0, Method1, Method2, Method3, Method4, Extend };

// One call of the optimizer for all open demand of a profile, as the catalogue hands it over.
struct OptimizerRequest {
    uint32_t profile = 0;
    uint32_t orderProfile = 0;            // 0: every piece of the profile
    std::vector<uint32_t> lengths;        // tagged stock lengths; empty: every usable length
    uint8_t mode = 0;
    uint8_t status = 1;                   // the piece tab: 1 approved, 2 new, 3 in production
    uint32_t selectionStart = 7;          // "Dobór od:"
    uint32_t extend = 0;                  // shortest leftover used for a joint; 0 = no joints
};

uint8_t methodOf(OptimizerButton button);

// Builds the call of a button for the highlighted profile. Only the tags of that profile go with it,
// and only lengths that are neither hidden nor excluded as they are stored now. False when the
// operator tagged lengths of the profile but none of them can be offered any more (the message has
// been shown): the optimizer is not started then.
bool optimizerRequest(global::Database& db, const global::Services& services, OptimizerButton button,
                      uint32_t profileId, const LengthTags& tags, int pieceTab, uint32_t selectionStart,
                      uint32_t extendLength, OptimizerRequest& out);

// The message when none of the operator's lengths can be offered.
QString noLengthsToOptimizeMessage();

} // namespace stock
