// The layout stores over a real database (the file, or a database of the test server): per-list and per-window reads in key order and the
// error numbers the list-format manager and the control positions react to.

#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "ui/layout/DatabaseLayoutStore.h"

#include <gtest/gtest.h>

using namespace layout;

namespace {

class DatabaseLayoutStoreTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    global::Database db{dir.path()};
    DatabaseLayoutStore store{db};

    static ListKey list(int16_t user, int16_t ctrl)
    {
        ListKey key;
        key.procId = QStringLiteral("Profiles");
        key.userId = user;
        key.ctrlId = ctrl;
        return key;
    }
    static global::ListFormatRecord format(const ListKey& key, int16_t id, const QString& text)
    {
        global::ListFormatRecord r;
        r.appName = key.appName;
        r.procId = key.procId;
        r.userId = key.userId;
        r.ctrlId = key.ctrlId;
        r.formatId = id;
        r.formatName = QStringLiteral("Format_") + QString::number(id);
        r.flag = 2;
        r.format = text;
        r.varLine = QStringLiteral("ID,LENGHT");
        return r;
    }
    static global::ControlPositionRecord position(int16_t user, const QString& name, uint32_t x)
    {
        global::ControlPositionRecord r;
        r.appName = QStringLiteral("Barmond");
        r.procId = QStringLiteral("Profiles");
        r.userId = user;
        r.controlName = name;
        r.x = x;
        r.y = 2;
        r.w = 3;
        r.h = 4;
        return r;
    }
};

TEST_F(DatabaseLayoutStoreTest, FormatsOfOneListComeInFormatOrderAndStayApart)
{
    ASSERT_TRUE(store.open().ok());
    const ListKey mine = list(1, 1);
    ASSERT_TRUE(store.add(format(mine, 1000, QStringLiteral("ID=40"))).ok());
    ASSERT_TRUE(store.add(format(mine, 1, QStringLiteral("ID=50;LENGHT=80"))).ok());
    ASSERT_TRUE(store.add(format(list(1, 2), 1, QStringLiteral("X=1"))).ok());
    ASSERT_TRUE(store.add(format(list(2, 1), 1, QStringLiteral("X=2"))).ok());
    EXPECT_EQ(store.add(format(mine, 1, QStringLiteral("again"))).code, DuplicateKey);

    QList<global::ListFormatRecord> stored;
    ASSERT_TRUE(store.formatsOf(mine, stored).ok());
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].formatId, 1);
    EXPECT_EQ(stored[1].formatId, 1000);
    EXPECT_EQ(stored[0].format, QStringLiteral("ID=50;LENGHT=80"));

    auto changed = stored[1];
    changed.format = QStringLiteral("ID=99");
    changed.flag = 0;
    ASSERT_TRUE(store.update(changed).ok());
    ASSERT_TRUE(store.formatsOf(mine, stored).ok());
    EXPECT_EQ(stored[1].format, QStringLiteral("ID=99"));
    EXPECT_EQ(stored[1].flag, 0);

    EXPECT_EQ(store.update(format(mine, 7, QString())).code, RecordNotFound);
    ASSERT_TRUE(store.remove(mine, 1000).ok());
    EXPECT_EQ(store.remove(mine, 1000).code, RecordNotFound);
    ASSERT_TRUE(store.formatsOf(mine, stored).ok());
    EXPECT_EQ(stored.size(), 1);
}

TEST_F(DatabaseLayoutStoreTest, ControlPositionsAreKeptPerUserAndControl)
{
    ASSERT_TRUE(store.open().ok());
    ASSERT_TRUE(store.add(position(1, QStringLiteral("?Region2"), 300)).ok());
    ASSERT_TRUE(store.add(position(1, QStringLiteral("?List"), 10)).ok());
    ASSERT_TRUE(store.add(position(2, QStringLiteral("?List"), 20)).ok());
    EXPECT_EQ(store.add(position(1, QStringLiteral("?List"), 30)).code, DuplicateKey);

    QList<global::ControlPositionRecord> stored;
    ASSERT_TRUE(store.positionsOf(QStringLiteral("Barmond"), QStringLiteral("Profiles"), 1, stored).ok());
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].controlName, QStringLiteral("?List"));
    EXPECT_EQ(stored[1].controlName, QStringLiteral("?Region2"));

    global::ControlPositionRecord one;
    EXPECT_EQ(store.fetch(QStringLiteral("Barmond"), QStringLiteral("Profiles"), 1, QStringLiteral("?Gone"), one).code,
              RecordNotFound);
    ASSERT_TRUE(store.fetch(QStringLiteral("Barmond"), QStringLiteral("Profiles"), 2, QStringLiteral("?List"), one).ok());
    EXPECT_EQ(one.x, 20u);
    one.x = 25;
    ASSERT_TRUE(store.update(one).ok());
    ASSERT_TRUE(store.fetch(QStringLiteral("Barmond"), QStringLiteral("Profiles"), 2, QStringLiteral("?List"), one).ok());
    EXPECT_EQ(one.x, 25u);
    EXPECT_EQ(store.update(position(3, QStringLiteral("?List"), 1)).code, RecordNotFound);
}

} // namespace
