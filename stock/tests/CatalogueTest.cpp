// The catalogue's procedures: the totals and profiles of each tab, tagging stock lengths, blocking
// lengths and pieces on the records as they are stored now, removing the joins of a piece, and the
// optimizer call of each button with only the offered lengths of the highlighted profile.

#include "stock/Catalogue.h"

#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;
using namespace stock;

namespace {

class CatalogueTest : public testing_support::DatabaseFixture {
protected:
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock;
    FixedIdentity identity;
    Services services{dialogs, clipboard, clock, identity};

    uint32_t storeProfile(const QString& code)
    {
        Table<ProfileRecord> profiles(db);
        ProfileRecord p;
        p.profileCode = code;
        p.remnantLenght = 500;
        EXPECT_EQ(profiles.addWithNewIdentifier(p), 0);
        return p.id;
    }
    ProfileLengthRecord storeLength(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t status = 0,
                                    uint16_t blocked = 0)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = intStock;
        l.status = status;
        l.blockSelection = blocked;
        EXPECT_EQ(lengths.addWithNewIdentifier(l), 0);
        return l;
    }
    CutRecord storePiece(uint32_t profile, uint32_t lenght, uint32_t pcs, uint16_t status, uint32_t lenght1 = 0)
    {
        Table<CutRecord> cuts(db);
        CutRecord c;
        c.profileId = profile;
        c.orderId = 1;
        c.lenght = lenght;
        c.pcs = pcs;
        c.status = status;
        if (lenght1 > 0) {
            c.lenght1 = lenght1;
            c.lenght2 = lenght - lenght1;
            c.sectionPerc = 100.0 * lenght1 / lenght;
        }
        EXPECT_EQ(cuts.addWithNewIdentifier(c), 0);
        return c;
    }
    template <class R>
    R reread(const R& record)
    {
        Table<R> table(db);
        R r;
        r.id = record.id;
        EXPECT_EQ(table.fetch(Table<R>::Auto, r), 0);
        return r;
    }
};

TEST_F(CatalogueTest, TotalsCountThePiecesOfTheTabAndTheOwnStockOfEveryLength)
{
    const uint32_t p = storeProfile(QStringLiteral("A"));
    storePiece(p, 1500, 4, 0);
    storePiece(p, 2000, 3, 1);
    storePiece(p, 1000, 10, 2);
    storePiece(p, 700, 5, 3);
    storeLength(p, 6000, 3);
    storeLength(p, 4000, 2, 1);   // hidden lengths count too
    storeLength(storeProfile(QStringLiteral("B")), 6000, 9);

    ProfileTotals totals;
    ASSERT_EQ(profileTotals(db, p, piecesSummedOn(ProfileTab::Active), totals), 0);
    EXPECT_EQ(totals.orderedPieces, 7);
    EXPECT_DOUBLE_EQ(totals.orderedMetres, 12.0);
    EXPECT_EQ(totals.stockPieces, 5);
    EXPECT_DOUBLE_EQ(totals.stockMetres, 26.0);
    ASSERT_EQ(profileTotals(db, p, piecesSummedOn(ProfileTab::InProduction), totals), 0);
    EXPECT_EQ(totals.orderedPieces, 10);
    EXPECT_DOUBLE_EQ(totals.orderedMetres, 10.0);
    ASSERT_EQ(profileTotals(db, p, piecesSummedOn(ProfileTab::New), totals), 0);
    EXPECT_EQ(totals.orderedPieces, 4);

    const uint32_t bare = storeProfile(QStringLiteral("C"));
    ASSERT_EQ(profileTotals(db, bare, piecesSummedOn(ProfileTab::All), totals), 0);
    EXPECT_EQ(totals.orderedPieces, 0);
    EXPECT_EQ(totals.stockPieces, 0);
    EXPECT_DOUBLE_EQ(totals.stockMetres, 0.0);
}

TEST_F(CatalogueTest, TabsShowTheProfilesHavingPiecesOfTheirStatus)
{
    const uint32_t a = storeProfile(QStringLiteral("A"));
    const uint32_t b = storeProfile(QStringLiteral("B"));
    storePiece(a, 1000, 1, 1);
    storePiece(b, 1000, 1, 2);
    ProfileTotalsCache cache(db);
    EXPECT_TRUE(cache.hasPieces(a, uint16_t(pieceStatusRequiredOn(ProfileTab::Approved))));
    EXPECT_FALSE(cache.hasPieces(b, uint16_t(pieceStatusRequiredOn(ProfileTab::Approved))));
    EXPECT_TRUE(cache.hasPieces(b, uint16_t(pieceStatusRequiredOn(ProfileTab::InProduction))));
    EXPECT_FALSE(cache.hasPieces(a, uint16_t(pieceStatusRequiredOn(ProfileTab::New))));
    EXPECT_EQ(pieceStatusRequiredOn(ProfileTab::Active), -1);
    EXPECT_EQ(pieceTabFollowing(ProfileTab::Approved), 0);
    EXPECT_EQ(pieceTabFollowing(ProfileTab::New), 1);
    EXPECT_EQ(pieceTabFollowing(ProfileTab::InProduction), 2);
    EXPECT_EQ(pieceTabFollowing(ProfileTab::All), -1);

    // The cache keeps what it read until it is told to forget.
    storePiece(b, 1000, 1, 1);
    EXPECT_FALSE(cache.hasPieces(b, 1));
    cache.forget();
    EXPECT_TRUE(cache.hasPieces(b, 1));
}

TEST_F(CatalogueTest, BlockingATaggedLengthUntagsItAndABlockedLengthCannotBeTagged)
{
    const uint32_t p = storeProfile(QStringLiteral("A"));
    ProfileLengthRecord length = storeLength(p, 6000, 3);
    const ProfileLengthRecord blocked = storeLength(p, 4000, 3, 0, 1);
    LengthTags tags;
    EXPECT_FALSE(tags.toggle(blocked));
    EXPECT_FALSE(tags.contains(blocked.id));
    EXPECT_TRUE(tags.toggle(length));
    EXPECT_TRUE(tags.contains(length.id));

    // Another station booked stock meanwhile: blocking keeps its counts.
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord other = length;
        ASSERT_EQ(lengths.fetch(Table<ProfileLengthRecord>::Auto, other), 0);
        other.intStock = 11;
        ASSERT_EQ(lengths.update(other), 0);
    }
    ASSERT_TRUE(toggleLengthBlock(db, services, length, tags));
    EXPECT_EQ(reread(length).blockSelection, 1);
    EXPECT_EQ(reread(length).intStock, 11);
    EXPECT_FALSE(tags.contains(length.id));
    ASSERT_TRUE(toggleLengthBlock(db, services, length, tags));
    EXPECT_EQ(reread(length).blockSelection, 0);
    EXPECT_FALSE(tags.contains(length.id));   // unblocking does not tag again
}

TEST_F(CatalogueTest, BlockingAPieceAndRemovingItsJoins)
{
    const uint32_t p = storeProfile(QStringLiteral("A"));
    CutRecord piece = storePiece(p, 3000, 2, 1, 1000);
    ASSERT_TRUE(togglePieceBlock(db, services, piece));
    EXPECT_EQ(reread(piece).block, 1);
    ASSERT_TRUE(togglePieceBlock(db, services, piece));
    EXPECT_EQ(reread(piece).block, 0);

    dialogs.planAnswers({1});   // "Nie"
    EXPECT_FALSE(removeJoins(db, services, piece));
    EXPECT_EQ(reread(piece).lenght1, 1000u);
    dialogs.planAnswers({0});
    ASSERT_TRUE(removeJoins(db, services, piece));
    const CutRecord stored = reread(piece);
    EXPECT_EQ(stored.lenght1, 0u);
    EXPECT_EQ(stored.lenght2, 0u);
    EXPECT_DOUBLE_EQ(stored.sectionPerc, 0.0);
    EXPECT_EQ(stored.pcs, 2u);

    // Nothing to remove: no question.
    EXPECT_FALSE(removeJoins(db, services, piece));
    EXPECT_EQ(dialogs.plannedLeft(), 0);
}

TEST_F(CatalogueTest, APieceGoneIntoProductionMeanwhileKeepsItsJoins)
{
    const uint32_t p = storeProfile(QStringLiteral("A"));
    CutRecord piece = storePiece(p, 3000, 2, 1, 1000);
    {
        Table<CutRecord> cuts(db);
        CutRecord other = piece;
        ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, other), 0);
        other.status = 2;
        ASSERT_EQ(cuts.update(other), 0);
    }
    dialogs.planAnswers({0});
    EXPECT_FALSE(removeJoins(db, services, piece));
    EXPECT_EQ(reread(piece).lenght1, 1000u);
    EXPECT_EQ(piece.status, 2);   // the caller sees the piece as it is now
}

TEST_F(CatalogueTest, EachButtonCallsItsMethodWithTheTabsPiecesAndOnlyItsProfilesOfferedTags)
{
    const uint32_t a = storeProfile(QStringLiteral("A"));
    const uint32_t b = storeProfile(QStringLiteral("B"));
    ProfileLengthRecord a6000 = storeLength(a, 6000, 3);
    const ProfileLengthRecord a4000 = storeLength(a, 4000, 3);
    ProfileLengthRecord a3000 = storeLength(a, 3000, 3);
    const ProfileLengthRecord b6000 = storeLength(b, 6000, 3);
    LengthTags tags;
    tags.toggle(a6000);
    tags.toggle(a3000);
    tags.toggle(b6000);
    // The 3000 has been hidden since it was tagged.
    {
        Table<ProfileLengthRecord> lengths(db);
        ASSERT_EQ(lengths.fetch(Table<ProfileLengthRecord>::Auto, a3000), 0);
        a3000.status = 1;
        ASSERT_EQ(lengths.update(a3000), 0);
    }

    OptimizerRequest request;
    ASSERT_TRUE(optimizerRequest(db, services, OptimizerButton::Method3, a, tags, 1, 9, 400, request));
    EXPECT_EQ(request.profile, a);
    EXPECT_EQ(request.orderProfile, 0u);
    EXPECT_EQ(request.mode, 3);
    EXPECT_EQ(request.status, 2);   // the tab "Nowe"
    EXPECT_EQ(request.selectionStart, 9u);
    EXPECT_EQ(request.extend, 0u);
    EXPECT_EQ(request.lengths, std::vector<uint32_t>{a6000.id});

    ASSERT_TRUE(optimizerRequest(db, services, OptimizerButton::Extend, a, tags, 0, 7, 400, request));
    EXPECT_EQ(request.mode, 0);
    EXPECT_EQ(request.status, 1);
    EXPECT_EQ(request.extend, 400u);
    ASSERT_TRUE(optimizerRequest(db, services, OptimizerButton::Method4, a, tags, 2, 7, 400, request));
    EXPECT_EQ(request.mode, 4);
    EXPECT_EQ(request.status, 3);

    // No tags of the profile: every usable length.
    LengthTags none;
    ASSERT_TRUE(optimizerRequest(db, services, OptimizerButton::Method1, a, none, 0, 7, 0, request));
    EXPECT_TRUE(request.lengths.empty());
    EXPECT_FALSE(tags.contains(a4000.id));

    // Only hidden tags: the optimizer is not started.
    LengthTags hiddenOnly;
    hiddenOnly.toggle(a3000);
    EXPECT_FALSE(optimizerRequest(db, services, OptimizerButton::Method1, a, hiddenOnly, 0, 7, 0, request));
    EXPECT_EQ(dialogs.messages().last(), noLengthsToOptimizeMessage());
}

} // namespace
