// The cut import reading real workbooks written by another program: an .xlsx whose cut list is on
// its active sheet, the same list as an .ods, a header too far down, a count that cannot be stored,
// and a file the reader refuses.

#include "global/Globals.h"
#include "orders/CutImport.h"
#include "support/CutWorkbooks.h"
#include "support/OrderScenario.h"

#include <QDir>

using namespace global;
using namespace orders;

namespace {

class CutImportWorkbookTest : public testing_support::OrderScenario {
protected:
    QTemporaryDir books;

    void SetUp() override
    {
        OrderScenario::SetUp();
        glo() = Globals{};
        ASSERT_TRUE(books.isValid());
        testing_support::makeCutWorkbooks(books.path());
        testing_support::addCutsMap(db);
    }

    CutImportSummary import(const QString& name) { return importCutsFromFile(db, services, books.filePath(name)); }

    // Every piece as "order profile length×count code / description 1 / description 2".
    QStringList pieces()
    {
        QStringList out;
        for (const CutRecord& c : all<CutRecord>())
            out << QStringLiteral("%1 %2 %3x%4 %5 / %6 / %7")
                       .arg(fetch<OrderRecord>(c.orderId).number, fetch<ProfileRecord>(c.profileId).profileCode,
                            QString::number(c.lenght), QString::number(c.pcs), c.code, c.description1,
                            c.description2);
        return out;
    }
};

const QStringList CutListPieces{"Z/100 PR-1 2500x2 K1 / Rama / Zlecenie Z/100",
                                "Z/100 pr-2 1200x3 K2 / Słupek / Zlecenie Z/100",
                                "Z/101 PR-1 800x1 K3 /  / Zlecenie Z/100"};

TEST_F(CutImportWorkbookTest, TheCutListOfTheActiveSheetBecomesOrdersAndPieces)
{
    const CutImportSummary summary = import(QStringLiteral("cuts.xlsx"));
    ASSERT_TRUE(summary.written) << summary.message.toStdString();
    EXPECT_EQ(pieces(), CutListPieces);
    EXPECT_EQ(summary.orders, 2);
    EXPECT_EQ(summary.profiles, 2);
    EXPECT_EQ(summary.positions, 3);
    const QList<ProfileRecord> profiles = all<ProfileRecord>();
    ASSERT_EQ(profiles.size(), 2);   // the row below the header (XX-0) was not read
    EXPECT_EQ(profiles[0].weight, 1.5);
    EXPECT_EQ(profiles[0].remnantLenght, 600u);
    EXPECT_EQ(profiles[1].weight, 0.0);
}

TEST_F(CutImportWorkbookTest, AnOpenDocumentSheetGivesTheSamePieces)
{
    ASSERT_TRUE(import(QStringLiteral("cuts.ods")).written) << dialogs.messages().join('\n').toStdString();
    EXPECT_EQ(pieces(), CutListPieces);
    EXPECT_EQ(all<ProfileRecord>()[0].weight, 1.5);
}

TEST_F(CutImportWorkbookTest, RefusedWorkbooksWriteNothing)
{
    const std::string before = testing_support::databaseSnapshot(db);
    EXPECT_FALSE(import(QStringLiteral("row21.xlsx")).written);
    EXPECT_EQ(dialogs.messages().last(), QStringLiteral("Nagłówek powinien istnieć w pierwszych dwudziestu wierszach.|"
                                                        "Oczekiwany tekst wskazujący wiersz z nagłówkiem||Profil"));
    const CutImportSummary count = import(QStringLiteral("count.xlsx"));
    EXPECT_FALSE(count.written);
    EXPECT_EQ(count.refused, QStringList{"Wiersz 3: ilość (PCS) \"-4\" poza zakresem 1 … 2147483647"});

    // A file the reader cannot read is named with the reader's reason.
    QFile old(books.filePath(QStringLiteral("stary.xls")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a workbook");
    old.close();
    dialogs.clear();
    EXPECT_FALSE(import(QStringLiteral("stary.xls")).written);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].endsWith(QStringLiteral("|Nic nie zostało zapisane.")));
    EXPECT_FALSE(import(QStringLiteral("brak.xlsx")).written);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

} // namespace
