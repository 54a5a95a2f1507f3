// Reading one profile's pieces among many must stay fast.

#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

using namespace global;

namespace {

class SpeedTest : public testing_support::DatabaseFixture {};

TEST_F(SpeedTest, OneProfilesPiecesAmongAHundredThousandByKey)
{
    // 100,000 pieces written in one statement (the numbers counted up by the database itself), so
    // that filling the table costs little on the server too.
    {
        QSqlQuery fill(db.connection());
        ASSERT_TRUE(fill.exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
            "INSERT INTO \"CUTS\" (\"ID\", \"ORDER_ID\", \"ORDER_PROFILE_ID\", \"PROFILE_ID\", \"STATUS\", \"LENGHT\", \"PCS\") "
            "SELECT i, i / 50 + 1, i / 10 + 1, i % 1000 + 1, i % 3, 500 + i % 5000, 1 FROM n")))
            << fill.lastError().text().toStdString();
    }
    Table<CutRecord> cuts(db);
    ASSERT_EQ(cuts.count(Table<CutRecord>::Auto), 100000);
    CutRecord key;
    key.profileId = 421;
    QElapsedTimer timer;
    timer.start();
    const QList<CutRecord> rows = cuts.rows(Table<CutRecord>::ByProfileStatus, key, 1);
    const qint64 rangeMs = timer.elapsed();
    ASSERT_EQ(rows.size(), 100);

    timer.restart();
    cuts.set(Table<CutRecord>::ByProfileStatus, key);
    CutRecord r;
    int n = 0;
    while (cuts.next(r) == 0 && r.profileId == 421)
        ++n;
    const qint64 cursorMs = timer.elapsed();
    EXPECT_EQ(n, 100);
    EXPECT_LT(rangeMs, 50);
    EXPECT_LT(cursorMs, 50);
}

} // namespace
