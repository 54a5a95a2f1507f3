// The reader of pasted tables: line ends of every kind, short lines, blank lines, control
// characters, and the numbers (decimal commas, rounding, the usable range).

#include "global/PastedTable.h"

#include <gtest/gtest.h>

using namespace global;

namespace {

QList<QStringList> fieldsOf(const QString& text)
{
    QList<QStringList> out;
    for (const PastedRow& row : readPastedTable(text).rows)
        out << row.fields;
    return out;
}

TEST(PastedTableTest, EveryKindOfLineEndGivesTheSameRows)
{
    const QList<QStringList> expected{{"Z1", "6000", "2"}, {"Z2", "3000", "1"}};
    EXPECT_EQ(fieldsOf("Z1\t6000\t2\rZ2\t3000\t1\r"), expected);
    EXPECT_EQ(fieldsOf("Z1\t6000\t2\nZ2\t3000\t1\n"), expected);
    EXPECT_EQ(fieldsOf("Z1\t6000\t2\r\nZ2\t3000\t1\r\n"), expected);
    EXPECT_EQ(fieldsOf("Z1\t6000\t2\r\nZ2\t3000\t1"), expected);   // the last line without an end
    EXPECT_EQ(fieldsOf("Z1\t6000\t2\n\r\nZ2\t3000\t1"), expected);  // a blank line between is no row
}

TEST(PastedTableTest, LinesAreNumberedAsTheTextHasThem)
{
    const PastedTable table = readPastedTable("\r\nA\r\n\t \t\r\nB\rC");
    ASSERT_EQ(table.rows.size(), 3);
    EXPECT_EQ(table.rows[0].line, 2);
    EXPECT_EQ(table.rows[1].line, 4);
    EXPECT_EQ(table.rows[2].line, 5);
}

TEST(PastedTableTest, ShortLinesLeaveTheirMissingFieldsBlank)
{
    const PastedTable table = readPastedTable("Z1\tOpis\tPR-1\t6000\t2\nZ2\r");
    ASSERT_EQ(table.rows.size(), 2);
    EXPECT_EQ(table.rows[1].field(0), QStringLiteral("Z2"));
    EXPECT_TRUE(table.rows[1].field(2).isEmpty());   // not the previous line's value
    EXPECT_FALSE(table.rows[1].count(3).has_value());
}

TEST(PastedTableTest, ControlCharactersAreDropped)
{
    const PastedTable table = readPastedTable(QStringLiteral("Z\x01" "1\tA\x7f" "B\tC") + QChar(0x9d) + QStringLiteral("D\x1b"));
    ASSERT_EQ(table.rows.size(), 1);
    EXPECT_EQ(table.rows[0].fields, (QStringList{"Z1", "AB", "CD"}));
}

TEST(PastedTableTest, NumbersWithDecimalCommasRoundHalfAwayFromZeroWithinTheUsableRange)
{
    const PastedTable table =
        readPastedTable("1 234,5\t2,4999\t0,5\t0,49\t0\t-3\t2147483647\t2147483648\t99999999999\tsześć\t1.500,5");
    ASSERT_EQ(table.rows.size(), 1);
    const PastedRow& row = table.rows[0];
    EXPECT_EQ(row.count(0), 1235u);
    EXPECT_EQ(row.count(1), 2u);
    EXPECT_EQ(row.count(2), 1u);              // half rounds up
    EXPECT_FALSE(row.count(3).has_value());   // 0 after rounding
    EXPECT_FALSE(row.count(4).has_value());
    EXPECT_FALSE(row.count(5).has_value());   // negative
    EXPECT_EQ(row.count(6), 2147483647u);
    EXPECT_FALSE(row.count(7).has_value());   // beyond the range
    EXPECT_FALSE(row.count(8).has_value());
    EXPECT_FALSE(row.count(9).has_value());   // no number
    EXPECT_EQ(row.count(10), 1501u);
    EXPECT_FALSE(row.count(11).has_value());  // no such field
    EXPECT_EQ(pastedNumber(QStringLiteral("-2,5")), -3.0);
}

} // namespace
