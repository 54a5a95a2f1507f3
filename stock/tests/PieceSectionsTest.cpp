// Joins of cut pieces: the sections the form computes from each field, and storing a join for all or
// some pieces of a record (the split), with its refusals and all or nothing.

#include "stock/PieceSections.h"

#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;
using namespace stock;

namespace {

TEST(SectionRules, EachFieldGivesTheOtherTwoAndOutOfRangeValuesClearAll)
{
    EXPECT_EQ(sectionsFromPercentage(6000, 50), (Sections{50, 3000, 3000}));
    EXPECT_EQ(sectionsFromPercentage(1001, 50), (Sections{50, 500, 501}));
    EXPECT_EQ(sectionsFromPercentage(6000, 33.3), (Sections{33.3, 1997, 4003}));
    EXPECT_EQ(sectionsFromPercentage(6000, 100), Sections{});   // a second section of 0 is no split
    EXPECT_EQ(sectionsFromPercentage(6000, 100.01), Sections{});
    EXPECT_EQ(sectionsFromPercentage(6000, -5), Sections{});
    EXPECT_EQ(sectionsFromPercentage(6000, 0), Sections{});
    EXPECT_EQ(sectionsFromFirst(6000, 1500), (Sections{25, 1500, 4500}));
    EXPECT_EQ(sectionsFromFirst(6000, 6001), Sections{});
    EXPECT_EQ(sectionsFromFirst(6000, 6000), Sections{});
    EXPECT_EQ(sectionsFromSecond(4000, 1000), (Sections{75, 3000, 1000}));
    EXPECT_EQ(sectionsFromSecond(4000, 4001), Sections{});
    EXPECT_EQ(piecesToCut(3, 5), 3u);
    EXPECT_EQ(piecesToCut(0, 5), 5u);
    EXPECT_EQ(piecesToCut(6, 5), 5u);
    EXPECT_TRUE(sectionsFit(Sections{}, 6000));
    EXPECT_TRUE(sectionsFit(Sections{33.3, 1997, 4003}, 6000));
    EXPECT_FALSE(sectionsFit(Sections{33.3, 1997, 4003}, 6001));
}

class SaveSectionsTest : public testing_support::DatabaseFixture {
protected:
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock;
    FixedIdentity identity;
    Services services{dialogs, clipboard, clock, identity};

    uint32_t addPiece(uint32_t lenght, uint32_t pcs, uint16_t status = 1)
    {
        Table<CutRecord> cuts(db);
        CutRecord c;
        c.orderId = 3;
        c.orderProfileId = 4;
        c.profileId = 5;
        c.status = status;
        c.code = QStringLiteral("P-7");
        c.description1 = QStringLiteral("rama");
        c.lenght = lenght;
        c.pcs = pcs;
        c.extId = QStringLiteral("X1");
        EXPECT_EQ(cuts.addWithNewIdentifier(c), 0);
        return c.id;
    }
    CutRecord piece(uint32_t id)
    {
        Table<CutRecord> cuts(db);
        CutRecord c;
        c.id = id;
        EXPECT_EQ(cuts.fetch(Table<CutRecord>::Auto, c), 0);
        return c;
    }
    qint64 pieceRecords() { return Table<CutRecord>(db).count(Table<CutRecord>::Auto); }
};

TEST_F(SaveSectionsTest, TwoOfFivePiecesSplitTheRecordAtFiftyAndAtAThirdAndAllFiveTakeTheJoinInPlace)
{
    const uint32_t id = addPiece(6000, 5);
    CutRecord stored;
    ASSERT_EQ(saveSections(db, services, id, sectionsFromPercentage(6000, 50), false, 2, stored), SectionsResponse::Done);
    EXPECT_EQ(piece(id).pcs, 3u);
    EXPECT_EQ(piece(id).lenght1, 0u);
    EXPECT_NE(stored.id, id);
    const CutRecord split = piece(stored.id);
    EXPECT_EQ(split.pcs, 2u);
    EXPECT_EQ(split.lenght1, 3000u);
    EXPECT_EQ(split.lenght2, 3000u);
    EXPECT_DOUBLE_EQ(split.sectionPerc, 50.0);
    // Everything else is the piece's own.
    EXPECT_EQ(split.code, QStringLiteral("P-7"));
    EXPECT_EQ(split.extId, QStringLiteral("X1"));
    EXPECT_EQ(split.orderProfileId, 4u);
    EXPECT_EQ(split.status, 1);

    ASSERT_EQ(saveSections(db, services, id, sectionsFromPercentage(6000, 33.3), false, 2, stored), SectionsResponse::Done);
    EXPECT_EQ(piece(id).pcs, 1u);
    EXPECT_EQ(piece(stored.id).lenght1, 1997u);
    EXPECT_EQ(piece(stored.id).lenght2, 4003u);
    EXPECT_EQ(pieceRecords(), 3);

    const uint32_t whole = addPiece(6000, 5);
    ASSERT_EQ(saveSections(db, services, whole, sectionsFromPercentage(6000, 100), true, 5, stored), SectionsResponse::Done);
    EXPECT_EQ(stored.id, whole);
    EXPECT_EQ(piece(whole).pcs, 5u);
    EXPECT_EQ(piece(whole).lenght1, 0u);
    EXPECT_EQ(piece(whole).lenght2, 0u);
    EXPECT_EQ(piece(whole).switchOffSection, 1);
    EXPECT_EQ(pieceRecords(), 4);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(SaveSectionsTest, APieceInProductionOrCutMorePiecesThanStoredOrSectionsNotFittingAreRefused)
{
    const uint32_t inProduction = addPiece(6000, 5, 2);
    const uint32_t cut = addPiece(6000, 5, 3);
    const uint32_t open = addPiece(6000, 3, 0);
    const std::string before = testing_support::databaseSnapshot(db);
    CutRecord stored;
    const Sections half = sectionsFromPercentage(6000, 50);
    EXPECT_EQ(saveSections(db, services, inProduction, half, false, 2, stored), SectionsResponse::Refused);
    EXPECT_EQ(saveSections(db, services, cut, half, false, 5, stored), SectionsResponse::Refused);
    EXPECT_EQ(saveSections(db, services, open, half, false, 4, stored), SectionsResponse::Refused);   // 3 stored now
    EXPECT_EQ(saveSections(db, services, open, half, false, 0, stored), SectionsResponse::Refused);
    EXPECT_EQ(saveSections(db, services, open, sectionsFromPercentage(5000, 50), false, 1, stored),
              SectionsResponse::Refused);
    EXPECT_EQ(saveSections(db, services, 99, half, false, 1, stored), SectionsResponse::Refused);
    EXPECT_EQ(dialogs.shown().size(), 6);
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("w produkcji")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

TEST_F(SaveSectionsTest, AFailingWriteOfTheSplitLeavesThePieceAsItWas)
{
    const uint32_t id = addPiece(6000, 5);
    const std::string before = testing_support::databaseSnapshot(db);
    CutRecord stored;
    for (int n = 1; n <= 2; ++n) {
        write_faults::failNthWrite(n);
        EXPECT_EQ(saveSections(db, services, id, sectionsFromPercentage(6000, 50), false, 2, stored),
                  SectionsResponse::Refused) << n;
        write_faults::failNthWrite(0);
        EXPECT_EQ(testing_support::databaseSnapshot(db), before) << n;
    }
    write_faults::failNthWrite(3);
    EXPECT_EQ(saveSections(db, services, id, sectionsFromPercentage(6000, 50), false, 2, stored), SectionsResponse::Done);
    write_faults::failNthWrite(0);
}

} // namespace
