// The heat number of a bar: written only when it differs, cut to its width, refused with nothing
// written when another station changed or deleted the bar since it was loaded, and a failing write
// leaving the bar as it was.

#include "global/HeatNumber.h"

#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;

namespace {

class HeatNumberTest : public testing_support::DatabaseFixture {
protected:
    ScriptedDialogs dialogs;

    StockTransItemRecord addBar(const QString& heatNumber)
    {
        Table<StockTransItemRecord> bars(db);
        StockTransItemRecord bar;
        bar.idTrans = 3;
        bar.profileLenght = 6000;
        bar.profileLenghtId = 8;
        bar.cutlenghts = 5800;
        bar.scrap = 200;
        bar.heatNumber = heatNumber;
        bar.printId = 2;
        EXPECT_EQ(bars.addWithNewIdentifier(bar), 0);
        return bar;
    }
    StockTransItemRecord bar(uint32_t id)
    {
        Table<StockTransItemRecord> bars(db);
        StockTransItemRecord b;
        b.id = id;
        EXPECT_EQ(bars.fetch(Table<StockTransItemRecord>::Auto, b), 0);
        return b;
    }
};

TEST_F(HeatNumberTest, ANewNumberIsWrittenCutToItsWidthAndTheSameNumberWritesNothing)
{
    const StockTransItemRecord loaded = addBar(QStringLiteral("W-1"));
    StockTransItemRecord stored;
    const std::string before = testing_support::databaseSnapshot(db);
    EXPECT_EQ(saveHeatNumber(db, dialogs, loaded, QStringLiteral("W-1   "), stored), HeatNumberSave::Unchanged);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    write_faults::resetCount();
    EXPECT_EQ(saveHeatNumber(db, dialogs, loaded, QStringLiteral("W-2231-ABCDEFGHIJKLMNOP"), stored),
              HeatNumberSave::Stored);
    EXPECT_EQ(write_faults::writesCounted(), 1);
    EXPECT_EQ(stored.heatNumber, QStringLiteral("W-2231-ABCDEFGHIJKLM"));
    StockTransItemRecord expected = loaded;
    expected.heatNumber = stored.heatNumber;
    EXPECT_EQ(toStoredValues(bar(loaded.id)), toStoredValues(expected));   // nothing else of the bar changes
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(HeatNumberTest, ABarChangedOrDeletedElsewhereSinceLoadingIsNotWrittenOver)
{
    const StockTransItemRecord loaded = addBar(QStringLiteral("W-1"));
    {
        Database other = Database::atFile(db.filePath());
        ASSERT_EQ(other.open(), 0);
        Table<StockTransItemRecord> bars(other);
        StockTransItemRecord theirs = loaded;
        ASSERT_EQ(bars.fetch(Table<StockTransItemRecord>::Auto, theirs), 0);
        theirs.heatNumber = QStringLiteral("W-9");
        ASSERT_EQ(bars.update(theirs), 0);
    }
    const std::string before = testing_support::databaseSnapshot(db);
    StockTransItemRecord stored;
    EXPECT_EQ(saveHeatNumber(db, dialogs, loaded, QStringLiteral("W-5"), stored), HeatNumberSave::ChangedElsewhere);
    EXPECT_EQ(stored.heatNumber, QStringLiteral("W-9"));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("W-9")));

    // From the bar as it is now the number is written.
    EXPECT_EQ(saveHeatNumber(db, dialogs, stored, QStringLiteral("W-5"), stored), HeatNumberSave::Stored);
    EXPECT_EQ(bar(loaded.id).heatNumber, QStringLiteral("W-5"));

    StockTransItemRecord gone = loaded;
    gone.id = 77;
    EXPECT_EQ(saveHeatNumber(db, dialogs, gone, QStringLiteral("W-6"), stored), HeatNumberSave::Gone);
}

TEST_F(HeatNumberTest, AFailingWriteLeavesTheBarAsItWasAndIsReported)
{
    const StockTransItemRecord loaded = addBar(QString());
    const std::string before = testing_support::databaseSnapshot(db);
    StockTransItemRecord stored;
    write_faults::failNthWrite(1);
    EXPECT_EQ(saveHeatNumber(db, dialogs, loaded, QStringLiteral("W-3"), stored), HeatNumberSave::Failed);
    write_faults::failNthWrite(0);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].caption, QStringLiteral("Update Operation Error"));
    EXPECT_EQ(saveHeatNumber(db, dialogs, loaded, QStringLiteral("W-3"), stored), HeatNumberSave::Stored);
}

} // namespace
