// Cut lists read back from their PDF: the Polish summary list of a stored cutting order, the English
// list of a solution not stored, groups of four bars, leftover instructions, the stock changes with
// their weights, orders, customers, projects, joints and the footer.

#include "optimizer/cutlist/CutListReport.h"

#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/tests/support/StockScenario.h"
#include "ui/report/PdfOutput.h"
#include "ui/report/Report.h"
#include "ui/report/tests/support/GuiApplication.h"
#include "ui/report/tests/support/PdfText.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kadrel;
using testing_support::squeezed;

namespace {

QString withoutSpaces(QString text)
{
    return text.remove(QLatin1Char(' '));
}

class CutListTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing_support::ensureGuiApplication(); }

    testing_support::TestDataDir dir;
    global::Database db{dir.path()};
    testing_support::StockScenario scenario{db};
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock{QDateTime(QDate(2026, 3, 12), QTime(14, 5, 9))};
    global::FixedIdentity identity{QStringLiteral("planista"), QStringLiteral("HALA-2")};
    global::Services services{dialogs, clipboard, clock, identity};

    uint32_t profile = 0, l6000 = 0, l6500 = 0, l1740 = 0;
    uint32_t orderOne = 0, orderTwo = 0;
    uint32_t post = 0, rail = 0, joined = 0, plate = 0;

    void SetUp() override
    {
        ASSERT_EQ(db.open(), 0);
        global::glo().printSubcontr = 1;
        profile = scenario.profile(QStringLiteral("AL 40x40x2"), 800, 0.821, QStringLiteral("mm"),
                                   QStringLiteral("Rura kwadratowa"));
        l6000 = scenario.length(profile, 6000, 10);
        l6500 = scenario.length(profile, 6500, 2);
        l1740 = scenario.length(profile, 1740, 1, 0);
        orderOne = scenario.order(QStringLiteral("ZL/1"), 1, QStringLiteral("Okna Nowak"), QStringLiteral("FAS-B2"),
                                  QStringLiteral("Etap I"));
        orderTwo = scenario.order(QStringLiteral("ZL/2"), 1, QStringLiteral("Kowalski"));
        post = scenario.cut(orderOne, profile, 2450, 6, QStringLiteral("SL-01"), QStringLiteral("Słupek"));
        rail = scenario.cut(orderTwo, profile, 1700, 1, QStringLiteral("RG-02"), QStringLiteral("Rygiel"));
        joined = scenario.cut(orderOne, profile, 5200, 1, QStringLiteral("OB-10"), QStringLiteral("Obramowanie"), 3000);
        plate = scenario.cut(orderTwo, profile, 1995, 3, QStringLiteral("PL-4"));
    }

    void TearDown() override { global::glo().printSubcontr = 0; }

    // Five bars, listed longest first as the optimizer does: three identical 6000 bars, a bar of
    // the remnant length 1740 cut without scrap, and a 6500 bar with the two sections of a joint.
    testing_support::SolutionBuilder solution() const
    {
        testing_support::SolutionBuilder s;
        s.bar(1, l6500, 6500, 1290, {{joined, 3000}, {joined, 2200}})
            .bar(2, l6000, 6000, 1090, {{post, 2450}, {post, 2450}})
            .bar(3, l6000, 6000, 1090, {{post, 2450}, {post, 2450}})
            .bar(4, l6000, 6000, 1090, {{post, 2450}, {post, 2450}})
            .bar(5, l1740, 1740, 0, {{rail, 1700}})
            .bar(6, l6000, 6000, 5, {{plate, 1995}, {plate, 1995}, {plate, 1995}});
        return s;
    }

    QString print(const QString& language, const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
                  uint32_t transaction, bool summary, int* pages = nullptr)
    {
        const QString file = dir.filePath(QStringLiteral("cutlist-%1.pdf").arg(++printed_));
        ui::report::PdfOutput pdf(file);
        const CutListPrinting printing{db, services, pdf};
        if (!printCuts(printing, language, profile, bars, pieces, transaction, summary))
            return QStringLiteral("NOT PRINTED: ") + dialogs.messages().join(QLatin1Char('\n'));
        if (pages != nullptr)
            *pages = testing_support::pdfPages(file);
        return testing_support::pdfText(file);
    }

    int printed_ = 0;
};

TEST_F(CutListTest, PolishSummaryListOfAStoredCuttingOrder)
{
    const testing_support::SolutionBuilder s = solution();
    Statistics statistics;
    const AcceptanceResult saved =
        acceptSolution(db, services, profile, s.bars, s.pieces, statistics,
                       AcceptanceEntry{QStringLiteral("Fasada B2 - pilne"), QDate(2026, 3, 17)});
    ASSERT_TRUE(saved.saved) << dialogs.messages().join("\n").toStdString();
    scenario.change<global::StockTransItemRecord>(2, [](auto& item) { item.heatNumber = QStringLiteral("W-7781"); });
    scenario.change<global::StockTransItemRecord>(3, [](auto& item) { item.heatNumber = QStringLiteral("W-7781"); });
    scenario.change<global::StockTransItemRecord>(4, [](auto& item) { item.heatNumber = QStringLiteral("W-7781"); });
    SolutionItemTable bars;
    SolutionSubitemTable pieces;
    QString error;
    ASSERT_TRUE(storedCuttingOrderLists(db, saved.transaction, bars, pieces, error));

    const QString text = print(QStringLiteral("pl"), bars, pieces, saved.transaction, true);
    const QString flat = squeezed(text);
    EXPECT_TRUE(flat.contains(QStringLiteral("POLECENIE CIĘCIA NR 1"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("AL 40x40x2 Rura kwadratowa")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Fasada B2 - pilne")));

    // The stock changes at 0.821 kg/m: 6000 taken four times, 6500 and 1740 once; remnants of 1290
    // (one) and 1090 (three) returned; the 1740 bar is cut without scrap.
    EXPECT_TRUE(flat.contains(QStringLiteral("Zmiana stanów")));
    EXPECT_TRUE(flat.contains(QStringLiteral("6500 1 5,34 0 0,00"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("6000 4 19,70 0 0,00"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("1740 1 1,43 0 0,00"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("1290 0 0,00 1 1,06"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("1090 0 0,00 3 2,68"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("Suma: 6 26,47 4 3,74"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("Lista zamówień: ZL/1; ZL/2;")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Klienci: Kowalski;Okna Nowak"))) << text.toStdString();

    // Summary: the three identical 6000 bars print once, with their count before the heat number.
    EXPECT_TRUE(flat.contains(QStringLiteral("Profil numer 1")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Profil numer 4")));
    EXPECT_FALSE(flat.contains(QStringLiteral("Profil numer 5"))) << "four bars printed: 1740, 6000 x3, 6000, 6500";
    EXPECT_TRUE(flat.contains(QStringLiteral("3 szt W-7781")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Cięcie bezodpadowe")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Zwrot do magazynu")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Złomować")));
    // Pieces with order (and its project number) and description; the sections with their link code.
    EXPECT_TRUE(flat.contains(QStringLiteral("2450 ZL/1(1) SL-01 Słupek"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("1700 ZL/2 RG-02 Rygiel"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("#01 3000 ZL/1(1) OB-10 Obramowanie"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("#01 2200 ZL/1(1) OB-10 Obramowanie"))) << text.toStdString();

    EXPECT_TRUE(flat.contains(QStringLiteral("Planowane wykonanie na: 2026-03-17")));
    // The letter-spaced heading: a reader of the PDF sees its letters close up into words.
    EXPECT_TRUE(withoutSpaces(text).contains(QStringLiteral("Zestawieniepołączeńtechnologicznych")));
    EXPECT_TRUE(flat.contains(QStringLiteral("#01 OB-10 5200 3000 2200"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("Informacja o kooperacji")));
    EXPECT_TRUE(flat.contains(QStringLiteral("1 FAS-B2 Etap I"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(
        QStringLiteral("Wydrukowane dnia: 2026-03-12 godz: 14:05 Strona: 1 Operator: planista PC: HALA-2")))
        << text.toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(CutListTest, EnglishListOfASolutionNotStoredPrintsEveryBarInGroupsOfFour)
{
    const testing_support::SolutionBuilder s = solution();
    int pages = 0;
    const QString text = print(QStringLiteral("EN"), s.bars, s.pieces, 0, true, &pages);
    const QString flat = squeezed(text);
    EXPECT_TRUE(flat.contains(QStringLiteral("CUTTING SPECIFICATION"))) << text.toStdString();
    EXPECT_FALSE(flat.contains(QStringLiteral("POLECENIE")));
    // No summary in English: six bars, the shortest first, in a group of four and one of two.
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(flat.contains(QStringLiteral("Profil number %1 ").arg(i))) << i;
    EXPECT_LT(flat.indexOf(QStringLiteral("Profil number 1 1740")), flat.indexOf(QStringLiteral("Profil number 5 6000")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Profil number 1 1740 Profil number 2 6000 Profil number 3 6000 "
                                             "Profil number 4 6000")))
        << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("Profil number 5 6000 Profil number 6 6500"))) << text.toStdString();
    EXPECT_EQ(flat.count(QStringLiteral("Length Order Element")), 6);
    EXPECT_TRUE(flat.contains(QStringLiteral("0 Zero scrap cutting")));
    EXPECT_TRUE(flat.contains(QStringLiteral("1090 Return to stock")));
    EXPECT_TRUE(flat.contains(QStringLiteral("5 Scrap it")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Stock modifications")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Length Consumption Return Conf.")));
    EXPECT_TRUE(flat.contains(QStringLiteral("6000 4 19.70 0 0.00"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("Total: 6 26.47 4 3.74"))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("Orders list: ZL/1; ZL/2;")));
    EXPECT_FALSE(flat.contains(QStringLiteral("Klient")));
    EXPECT_FALSE(flat.contains(QStringLiteral("Informacja o kooperacji")));
    EXPECT_TRUE(flat.contains(QStringLiteral("2450 ZL/1 SL-01 Słupek"))) << "no project numbers in English";
    EXPECT_TRUE(withoutSpaces(text).contains(QStringLiteral("Listofextensions")));
    EXPECT_TRUE(flat.contains(QStringLiteral("#01 OB-10 5200 3000 2200")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Planned cutting:")));
    EXPECT_TRUE(flat.contains(QStringLiteral("Printed on: 2026-03-12 time: 14:05 Page: 1 Operator: planista PC: HALA-2")));
    EXPECT_EQ(pages, 1);
}

TEST_F(CutListTest, TheJointListPrintsThreeJointsALineInLinkCodeOrder)
{
    const uint32_t frame = scenario.cut(orderOne, profile, 2600, 4, QStringLiteral("KT-05"), {}, 1490);
    testing_support::SolutionBuilder s;
    s.bar(1, l6000, 6000, 0, {{frame, 1490}, {frame, 1490}, {frame, 1490}, {frame, 1490}})
        .bar(2, l6000, 6000, 0, {{frame, 1110}, {frame, 1110}, {frame, 1110}, {frame, 1110}});
    const QString text = print(QStringLiteral("PL"), s.bars, s.pieces, 0, false);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList joints;
    bool inJointList = false;
    for (const QString& line : lines) {
        inJointList = inJointList || withoutSpaces(line).contains(QStringLiteral("połączeń"));
        if (inJointList && line.trimmed().startsWith(QLatin1Char('#')))
            joints << squeezed(line).trimmed();
    }
    EXPECT_EQ(joints, (QStringList{QStringLiteral("#01 KT-05 2600 1490 1110 #02 KT-05 2600 1490 1110 "
                                                  "#03 KT-05 2600 1490 1110"),
                                   QStringLiteral("#04 KT-05 2600 1490 1110")}))
        << text.toStdString();
}

TEST_F(CutListTest, AReprintKeepsTheBookedRemnantsAndWeightsFollowTheUnit)
{
    testing_support::SolutionBuilder s;
    s.bar(1, l6000, 6000, 1090, {{post, 2450}, {post, 2450}}).bar(2, l6000, 6000, 1090, {{post, 2450}, {post, 2450}});
    Statistics statistics;
    const AcceptanceResult saved = acceptSolution(db, services, profile, s.bars, s.pieces, statistics, {});
    ASSERT_TRUE(saved.saved);
    // The profile's remnant length grows after the save: the stored order still returns its remnants.
    scenario.change<global::ProfileRecord>(profile, [](auto& p) {
        p.remnantLenght = 5000;
        p.uom = QStringLiteral("cm");
    });
    SolutionItemTable bars;
    SolutionSubitemTable pieces;
    QString error;
    ASSERT_TRUE(storedCuttingOrderLists(db, saved.transaction, bars, pieces, error));
    QString flat = squeezed(print(QStringLiteral("PL"), bars, pieces, saved.transaction, false));
    EXPECT_EQ(flat.count(QStringLiteral("Zwrot do magazynu")), 2) << flat.toStdString();
    // Centimetres: 2 bars x 0.821 kg/m x 6000 cm / 100 = 98.52 kg.
    EXPECT_TRUE(flat.contains(QStringLiteral("6000 2 98,52 0 0,00"))) << flat.toStdString();

    // A solution not stored follows the profile's remnant length as it is now; any other unit is mm.
    scenario.change<global::ProfileRecord>(profile, [](auto& p) { p.uom = QStringLiteral("m"); });
    flat = squeezed(print(QStringLiteral("PL"), s.bars, s.pieces, 0, false));
    EXPECT_EQ(flat.count(QStringLiteral("Zwrot do magazynu")), 0);
    EXPECT_EQ(flat.count(QStringLiteral("1090 Złomować")), 2);
    EXPECT_TRUE(flat.contains(QStringLiteral("6000 2 9,85 0 0,00"))) << flat.toStdString();
}

TEST_F(CutListTest, AnotherLanguageOrAMissingProfilePrintsNothing)
{
    const testing_support::SolutionBuilder s = solution();
    EXPECT_TRUE(print(QStringLiteral("DE"), s.bars, s.pieces, 0, false).startsWith(QStringLiteral("NOT PRINTED")));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    profile = 99;
    EXPECT_EQ(print(QStringLiteral("PL"), s.bars, s.pieces, 0, false),
              QStringLiteral("NOT PRINTED: Brak profila na liście wszystkich profili. Error = 35"));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.pdf")}), QStringList());
}

TEST_F(CutListTest, TheFieldMapFormatsThePieceDescriptionOfEachColumn)
{
    global::Table<global::InterfaceMapRecord> map(db);
    global::InterfaceMapRecord first;
    first.type = QStringLiteral("DETR");
    first.internalName = QStringLiteral("DETR:Descr_1");
    first.externalName = QStringLiteral("Opis 1");
    first.formula = QStringLiteral("UPPER(CLIP(VAR)) & '!'");
    ASSERT_EQ(map.add(first), 0);
    global::InterfaceMapRecord second = first;
    second.internalName = QStringLiteral("DETR:Descr_2");
    second.externalName = QStringLiteral("Opis 2");
    second.formula = QStringLiteral("VAR / 0");
    ASSERT_EQ(map.add(second), 0);

    testing_support::SolutionBuilder s;
    s.bar(1, l1740, 1740, 40, {{rail, 1700}}).bar(2, l6000, 6000, 1090, {{post, 2450}, {post, 2450}});
    const QString flat = squeezed(print(QStringLiteral("EN"), s.bars, s.pieces, 0, false));
    EXPECT_TRUE(flat.contains(QStringLiteral("1700 ZL/2 RG-02 RYGIEL!"))) << flat.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("2450 ZL/1 SL-01 Słupek"))) << "a failing formula keeps the text";
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("DETR:Descr_2"))) << "one message per report";
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("2 values left unchanged")));
}

TEST(CutListLogo, ALogoStandsAtTheRightOrIsDrawnWideFrom160)
{
    EXPECT_EQ(logoPlace(200, 100), QRectF(244, 1, 26, 13));
    EXPECT_EQ(logoPlace(100, 0), QRectF(257, 1, 13, 13));
    // Ten times as wide as high: 130 wide would start at 140, so 110 wide from 160, 11 high, centred.
    EXPECT_EQ(logoPlace(1000, 100), QRectF(160, 2, 110, 11));
}

TEST_F(CutListTest, TheLogoOfTheDatabaseFolderIsPrinted)
{
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(Qt::red);
    // The database folder of the data directory (a server database keeps no folder of its own).
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("DB")));
    ASSERT_TRUE(logo.save(dir.filePath(QStringLiteral("DB/Logo.jpg")), "JPG"));
    const testing_support::SolutionBuilder s = solution();
    const QString file = dir.filePath(QStringLiteral("logo.pdf"));
    ui::report::PdfOutput pdf(file);
    const CutListPrinting printing{db, services, pdf};
    ASSERT_TRUE(printCuts(printing, QStringLiteral("PL"), profile, s.bars, s.pieces, 0, false));
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
    ASSERT_TRUE(images.waitForFinished());
    const QString list = QString::fromUtf8(images.readAllStandardOutput());
    EXPECT_TRUE(list.contains(QRegularExpression(QStringLiteral("image\\s+200\\s+100\\s")))) << list.toStdString();
}

} // namespace
