// kadrel print, kadrel extensions and kadrel accept --pdf as processes: the files they write, the
// text they print, and what they refuse.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/tests/support/StockScenario.h"
#include "ui/report/tests/support/PdfText.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

using testing_support::squeezed;

namespace {

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Outcome kadrel(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("BARMOND_DATA");
    environment.remove("QT_QPA_PLATFORM");   // the command needs no display of its own
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KADREL_BINARY), arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

class CutListCommandTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    QString data() const { return dir.path(); }
    QString file(const QString& name) const { return dir.filePath(name); }
    uint32_t profile = 0;

    // A profile with a piece joined from two sections, and another piece.
    void SetUp() override
    {
        ASSERT_EQ(kadrel({"--data-dir", data(), "init"}).exitCode, 0);
        global::Database db(data());
        ASSERT_EQ(db.open(), 0);
        testing_support::StockScenario scenario(db);
        profile = scenario.profile(QStringLiteral("ST 40x40x3"), 1000, 3.41, QStringLiteral("mm"),
                                   QStringLiteral("Rura stalowa"));
        scenario.length(profile, 6000, 20);
        const uint32_t order = scenario.order(QStringLiteral("ZL/2026/002"), 1, QStringLiteral("Kowalski"));
        scenario.cut(order, profile, 7600, 2, QStringLiteral("RM-05"), QStringLiteral("Rama łączona"), 4000);
        scenario.cut(order, profile, 2150, 4, QStringLiteral("RM-06"), QStringLiteral("Rama"));
    }
};

TEST_F(CutListCommandTest, AcceptWritesTheSummaryCutListAndPrintRewritesItInEitherLanguage)
{
    const Outcome accept = kadrel({"--data-dir", data(), "accept", "--profile", QString::number(profile), "--pdf",
                                   file("order.pdf"), "--json", "--production-date", "2026-06-02"});
    ASSERT_EQ(accept.exitCode, 0) << accept.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(accept.out).object().value("transaction").toInt(), 1);
    const QString polish = squeezed(testing_support::pdfText(file("order.pdf")));
    EXPECT_TRUE(polish.contains(QStringLiteral("POLECENIE CIĘCIA NR 1"))) << polish.toStdString();
    EXPECT_TRUE(polish.contains(QStringLiteral("ST 40x40x3 Rura stalowa")));
    EXPECT_TRUE(polish.contains(QStringLiteral("Klient: Kowalski")));
    EXPECT_TRUE(polish.contains(QStringLiteral("Planowane wykonanie na: 2026-06-02")));
    EXPECT_TRUE(polish.contains(QStringLiteral("#01 RM-05 7600 3600 4000"))) << polish.toStdString();

    // A file named as a browser saves an address ("%2F" for a slash) is named as it is.
    const QString englishFile = file("order%2Fen.pdf");
    const Outcome english = kadrel({"--data-dir", data(), "print", "--transaction", "1", "--language", "en", "--pdf",
                                    englishFile});
    ASSERT_EQ(english.exitCode, 0) << english.err.toStdString();
    const QString said = QString::fromUtf8(english.out);
    EXPECT_TRUE(said.startsWith("Cut list of cutting order 1 written to " + englishFile + " (")) << said.toStdString();
    EXPECT_TRUE(said.endsWith(" pages).\n")) << said.toStdString();
    const QString text = squeezed(testing_support::pdfText(englishFile));
    EXPECT_TRUE(text.contains(QStringLiteral("CUTTING ORDER NO 1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Planned cutting: 2026-06-02")));
    EXPECT_TRUE(text.contains(QStringLiteral("#01 RM-05 7600 3600 4000")));

    const Outcome missing = kadrel({"--data-dir", data(), "print", "--transaction", "9", "--pdf", file("none.pdf")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("Brak polecenia cięcia nr 9")) << missing.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file("none.pdf")));
}

TEST_F(CutListCommandTest, PrintOfASolutionNotStoredAndTheJointListOnStandardOutput)
{
    const Outcome spec = kadrel({"--data-dir", data(), "print", "--profile", QString::number(profile), "--summary",
                                 "--language", "PL", "--pdf", file("spec.pdf")});
    ASSERT_EQ(spec.exitCode, 0) << spec.err.toStdString();
    const QString text = squeezed(testing_support::pdfText(file("spec.pdf")));
    EXPECT_TRUE(text.contains(QStringLiteral("SPECYFIKACJA ROZKROJU"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Lista zamówień: ZL/2026/002;")));

    const Outcome joints = kadrel({"extensions", "--profile", QString::number(profile), "--data-dir", data()});
    ASSERT_EQ(joints.exitCode, 0) << joints.err.toStdString();
    EXPECT_EQ(joints.out, QByteArray("Lista \xc5\x82\xc4\x85" "czeń technologicznych\r"
                                     "Numer \xc5\x82\xc4\x85" "czenia\tKod profila\tDługość profila\tOdc 1\tOdc 2\r"
                                     "#01\tRM-05               \t7600\t3600\t4000\r"
                                     "#02\tRM-05               \t7600\t3600\t4000\r"));

    // Nothing is stored by either.
    global::Database db(data());
    ASSERT_EQ(db.open(), 0);
    EXPECT_EQ(global::Table<global::StockTransRecord>(db).count(global::Table<global::StockTransRecord>::Auto), 0);
}

TEST_F(CutListCommandTest, BadCommandLinesAndFilesThatCannotBeWritten)
{
    for (const QStringList& wrong : QList<QStringList>{{"print", "--transaction", "1"},
                                                       {"print", "--pdf", file("x.pdf")},
                                                       {"print", "--transaction", "1", "--profile", "1", "--pdf", "f"},
                                                       {"print", "--transaction", "1", "--language", "DE", "--pdf", "f"},
                                                       {"extensions"},
                                                       {"extensions", "--profile", "1", "--summary"}}) {
        const Outcome bad = kadrel(QStringList{"--data-dir", data()} + wrong);
        EXPECT_EQ(bad.exitCode, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(bad.err.contains("Usage: kadrel")) << bad.err.toStdString();
    }
    const Outcome unwritable = kadrel({"--data-dir", data(), "print", "--profile", QString::number(profile), "--pdf",
                                       file("no/folder/spec.pdf")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains("spec.pdf")) << unwritable.err.toStdString();

    // The cutting order is saved even when its cut list cannot be written, and the command says so.
    const Outcome accept = kadrel({"--data-dir", data(), "accept", "--profile", QString::number(profile), "--pdf",
                                   file("no/folder/order.pdf")});
    EXPECT_EQ(accept.exitCode, 1);
    EXPECT_TRUE(accept.err.contains("Polecenie cięcia 1 zapisano, ale listy cięcia")) << accept.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(accept.out).startsWith("Cutting order 1 saved"));
    QStringList files = QDir(data()).entryList(QDir::Files);
    if (testing_support::onTestServer())
        files.removeOne(QStringLiteral("Barmond.ini"));   // it names the server database
    EXPECT_EQ(files, QStringList());
}

} // namespace
