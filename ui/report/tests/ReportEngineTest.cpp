// The report engine: bands over pages with headers and footers, groups kept together, wrapped
// texts, Polish letters in the PDF, and a file that is complete or absent.

#include "global/Services.h"
#include "ui/report/PdfOutput.h"
#include "ui/report/Report.h"
#include "ui/report/tests/support/GuiApplication.h"
#include "ui/report/tests/support/PdfText.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ui::report;

namespace {

class ReportEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing_support::ensureGuiApplication(); }

    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }

    static Band line(const QString& text, double height = 6)
    {
        Band band(height);
        band.text({0, 0, 200, height}, text);
        return band;
    }

    static Report paged(const QString& title)
    {
        Report report(title);
        report.setPageHeader([](const PageInfo&) {
            Band b(14);
            b.text({0, 0, 270, 10}, QStringLiteral("NAGŁÓWEK STRONY"), TextStyle{14, true});
            b.line({0, 12}, {270, 12});
            return b;
        });
        report.setPageFooter([](const PageInfo& page) {
            Band b(6);
            b.text({0, 0, 270, 5}, QStringLiteral("Strona: %1 z %2").arg(page.page).arg(page.pages),
                   TextStyle{7, false, Align::Right});
            return b;
        });
        return report;
    }

    static QStringList pagesOf(const QString& text) { return text.split(QLatin1Char('\f'), Qt::SkipEmptyParts); }
};

class CancelAt : public global::Progress {
public:
    explicit CancelAt(int percent) : percent_(percent) {}
    void start(const QString&, qint64) override {}
    bool advance(qint64 percent) override
    {
        seen.push_back(percent);
        return percent < percent_;
    }
    void finish() override {}
    std::vector<qint64> seen;

private:
    int percent_;
};

TEST_F(ReportEngineTest, BandsFlowOverPagesUnderTheirHeaderAndFooterWithPolishLetters)
{
    Report report = paged(QStringLiteral("Próba"));
    report.addBand(line(QStringLiteral("Zażółć gęślą jaźń — ZAŻÓŁĆ GĘŚLĄ JAŹŃ")));
    for (int i = 1; i <= 60; ++i)
        report.addBand(line(QStringLiteral("Wiersz %1").arg(i)));
    PdfOutput pdf(file("bands.pdf"));
    global::Progress& progress = global::silentProgress();
    ASSERT_TRUE(pdf.output(report, progress)) << pdf.errorText().toStdString();

    // A4 landscape: 194 mm of paper inside the margins, 14 + 6 of them for header and footer, so 29
    // lines of 6 mm fit a page: 61 lines take three pages.
    EXPECT_EQ(pdf.pages(), 3);
    EXPECT_EQ(testing_support::pdfPages(file("bands.pdf")), 3);
    const QStringList pages = pagesOf(testing_support::pdfText(file("bands.pdf")));
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Zażółć gęślą jaźń — ZAŻÓŁĆ GĘŚLĄ JAŹŃ"))) << pages[0].toStdString();
    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(pages[p].trimmed().startsWith(QStringLiteral("NAGŁÓWEK STRONY"))) << p;
        EXPECT_TRUE(pages[p].trimmed().endsWith(QStringLiteral("Strona: %1 z 3").arg(p + 1))) << pages[p].toStdString();
    }
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Wiersz 28")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Wiersz 29")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Wiersz 29")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Wiersz 60")));
    const QString all = testing_support::pdfText(file("bands.pdf"));
    EXPECT_LT(all.indexOf(QStringLiteral("Wiersz 9\n")), all.indexOf(QStringLiteral("Wiersz 10\n")));
}

TEST_F(ReportEngineTest, AGroupHeaderStaysWithItsFirstLineAndComesAgainOnTheNextPage)
{
    Report report = paged(QStringLiteral("Grupy"));
    for (int i = 1; i <= 27; ++i)
        report.addBand(line(QStringLiteral("Wstęp %1").arg(i)));
    // 27 lines leave room for two more: the header would fit, but not with its first line.
    std::vector<Band> details;
    for (int i = 1; i <= 40; ++i)
        details.push_back(line(QStringLiteral("Odcinek %1").arg(i)));
    report.addGroup(line(QStringLiteral("GRUPA PRĘTÓW"), 10), details, line(QStringLiteral("Koniec grupy")));
    report.addBand(line(QStringLiteral("Podsumowanie")));
    PdfOutput pdf(file("groups.pdf"));
    global::Progress& progress = global::silentProgress();
    ASSERT_TRUE(pdf.output(report, progress)) << pdf.errorText().toStdString();
    const QStringList pages = pagesOf(testing_support::pdfText(file("groups.pdf")));
    ASSERT_EQ(pages.size(), 3);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("GRUPA PRĘTÓW")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("GRUPA PRĘTÓW")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Odcinek 1\n")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("GRUPA PRĘTÓW"))) << "the header again where the group goes on";
    EXPECT_TRUE(pages[2].indexOf(QStringLiteral("GRUPA PRĘTÓW")) < pages[2].indexOf(QStringLiteral("Odcinek 40")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Koniec grupy")));
    EXPECT_EQ(pages[2].count(QStringLiteral("GRUPA PRĘTÓW")), 1);
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Podsumowanie")));
}

TEST_F(ReportEngineTest, AWrappedTextMakesItsBandGrow)
{
    QString words;
    for (int i = 1; i <= 80; ++i)
        words += QStringLiteral("ZL/2026/%1; ").arg(i, 3, 10, QLatin1Char('0'));
    Report report = paged(QStringLiteral("Zawijanie"));
    Band wrapped(6);
    wrapped.text({100, 0, 100, 6}, words.trimmed(), TextStyle{8, false, Align::Left, true});
    wrapped.text({0, 0, 90, 6}, QStringLiteral("Lista zamówień:"));
    report.addBand(wrapped);
    report.addBand(line(QStringLiteral("Pod listą")));
    PdfOutput pdf(file("wrap.pdf"));
    global::Progress& progress = global::silentProgress();
    ASSERT_TRUE(pdf.output(report, progress)) << pdf.errorText().toStdString();
    const QString text = testing_support::pdfText(file("wrap.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("ZL/2026/001;")));
    EXPECT_TRUE(text.contains(QStringLiteral("ZL/2026/080;")));
    const qsizetype last = text.indexOf(QStringLiteral("ZL/2026/080;"));
    EXPECT_GT(text.indexOf(QStringLiteral("Pod listą")), last) << "the next band comes below the whole list";
    const QString before = text.left(text.indexOf(QStringLiteral("Pod listą")));
    EXPECT_GE(before.count(QLatin1Char('\n')), 6) << "the list takes several lines";
}

TEST_F(ReportEngineTest, ACancelledOrFailedReportLeavesNoFileAndKeepsAnOldOne)
{
    Report report = paged(QStringLiteral("Przerwany"));
    for (int i = 1; i <= 100; ++i)
        report.addBand(line(QStringLiteral("Wiersz %1").arg(i)));

    CancelAt cancel(50);
    PdfOutput cancelled(file("cancelled.pdf"));
    EXPECT_FALSE(cancelled.output(report, cancel));
    EXPECT_TRUE(cancelled.errorText().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file("cancelled.pdf")));
    EXPECT_FALSE(cancel.seen.empty());

    QFile old(file("old.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    PdfOutput replacing(file("old.pdf"));
    CancelAt again(30);
    EXPECT_FALSE(replacing.output(report, again));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old contents"));
    old.close();

    PdfOutput nowhere(file("no/such/folder/report.pdf"));
    global::Progress& progress = global::silentProgress();
    EXPECT_FALSE(nowhere.output(report, progress));
    EXPECT_TRUE(nowhere.errorText().contains(QStringLiteral("report.pdf"))) << nowhere.errorText().toStdString();

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pdf")});
}

} // namespace
