// The stock text for a spreadsheet: its title names the moment of the export exactly, and a catalogue
// without profiles gives the title and the heading alone.

#include "stock/StockExport.h"

#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;

namespace {

class StockExportTest : public testing_support::DatabaseFixture {};

TEST_F(StockExportTest, TitleHeadingAndAProfileWithoutLengths)
{
    QString text;
    QString error;
    const QDateTime moment(QDate(2026, 5, 6), QTime(9, 5, 3));
    ASSERT_EQ(stock::stockExportText(db, moment, stock::LengthsShown::Active, text, error), 0);
    EXPECT_TRUE(text.startsWith(QStringLiteral(" Stany magazynowe na 06.05.2026 09:05:03\rProfil\t")));
    EXPECT_EQ(text.count(QLatin1Char('\r')), 2);
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));

    Table<ProfileRecord> profiles(db);
    ProfileRecord p;
    p.id = 1;
    p.profileCode = QStringLiteral("Z-1 ");
    p.remnantLenght = 1234567890;
    ASSERT_EQ(profiles.add(p), 0);
    Table<ProfileLengthRecord> lengths(db);
    ProfileLengthRecord hidden{0, 1, 2000, 1, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(lengths.addWithNewIdentifier(hidden), 0);
    ASSERT_EQ(stock::stockExportText(db, moment, stock::LengthsShown::Active, text, error), 0);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\rZ-1\t   1234567890\t            0\t            0\t            0\t"
                                             "            0\t\r")))
        << text.toStdString();
    ASSERT_EQ(stock::stockExportText(db, moment, stock::LengthsShown::All, text, error), 0);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\rZ-1\t   1234567890\t         2000\t            0\t            0\t"
                                             "            0\t\r")));
}

} // namespace
