// `barmond stock ...` run as processes: what each command prints and writes, its refusals and exit
// statuses, and two processes saving the same length at once.

#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>

#include <optional>

using namespace global;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class StockCommandsTest : public testing_support::DatabaseFixture {
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        addProfile(1, QStringLiteral("KW-40  "), 500);
        addProfile(2, QStringLiteral("AL-20"), 300);
        addProfile(3, QStringLiteral("RU-10"), 0);
    }

    QProcess* start(const QStringList& arguments, int formDelayMs = 0)
    {
        auto* process = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("BARMOND_DATA"));
        if (formDelayMs > 0)
            env.insert(QStringLiteral("BARMOND_FORM_DELAY_MS"), QString::number(formDelayMs));
        process->setProcessEnvironment(env);
        process->start(QStringLiteral(BARMOND_BINARY), arguments + QStringList{QStringLiteral("--data-dir"), dir.path()});
        return process;
    }
    static Outcome finish(QProcess* process)
    {
        Outcome run;
        EXPECT_TRUE(process->waitForFinished(30000));
        run.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        run.out = QString::fromUtf8(process->readAllStandardOutput());
        run.err = QString::fromUtf8(process->readAllStandardError());
        delete process;
        return run;
    }
    Outcome barmond(const QStringList& arguments) { return finish(start(arguments)); }

    void addProfile(uint32_t id, const QString& code, uint32_t remnant)
    {
        Table<ProfileRecord> profiles(db);
        ProfileRecord p;
        p.id = id;
        p.profileCode = code;
        p.remnantLenght = remnant;
        ASSERT_EQ(profiles.add(p), 0);
    }
    std::optional<ProfileLengthRecord> length(uint32_t profile, uint32_t lenght)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        if (lengths.fetch(Table<ProfileLengthRecord>::ByProfile, l) != 0)
            return std::nullopt;
        return l;
    }
    QList<StockChangeRecord> log() { return Table<StockChangeRecord>(db).rows(Table<StockChangeRecord>::Auto); }
};

TEST_F(StockCommandsTest, HelpAndBadCommandLines)
{
    const Outcome help = barmond({QStringLiteral("help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("barmond stock set --profile ID --length MM")));

    for (const QStringList& bad : QList<QStringList>{{"frobnicate"},
                                                     {"stock"},
                                                     {"stock", "set", "--length", "6000"},
                                                     {"stock", "set", "--profile", "1", "--length", "6k"},
                                                     {"stock", "set", "--profile", "1", "--length", "6000", "--block", "2"},
                                                     {"stock", "delete", "--profile", "1", "--length", "6000", "--colour", "red"}}) {
        const Outcome run = barmond(bad);
        EXPECT_EQ(run.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage: barmond"))) << bad.join(' ').toStdString();
    }
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(StockCommandsTest, SetAddsAndChangesALengthWithItsLogLinesAndDeleteRemovesIt)
{
    Outcome run = barmond({"stock", "set", "--profile", "1", "--length", "6000", "--int", "12", "--ext", "3", "--typical", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Length 6000 mm of profile 1 added (id 1): own 12, external 3, in production 0\n"));
    ASSERT_EQ(log().size(), 1);
    EXPECT_EQ(log()[0].operationType, 1);
    EXPECT_EQ(log()[0].changeIntStock, 12);
    EXPECT_DOUBLE_EQ(log()[0].profileExtStock, 18.0);

    // Options not given keep the stored values.
    run = barmond({"stock", "set", "--profile", "1", "--length", "6000", "--incom", "-2", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("{\"length\":1}\n"));
    EXPECT_EQ(length(1, 6000)->intStock, 12);
    EXPECT_EQ(length(1, 6000)->extStock, 3u);
    EXPECT_EQ(length(1, 6000)->incomStock, -2);
    ASSERT_EQ(log().size(), 2);
    EXPECT_EQ(log()[1].operationType, 2);
    EXPECT_EQ(log()[1].finnalIncStock, -2);

    // Flags alone: no log line.
    run = barmond({"stock", "set", "--profile", "1", "--length", "6000", "--hidden", "1", "--block", "1", "--unlimited", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(length(1, 6000)->status, 1u);
    EXPECT_EQ(length(1, 6000)->blockSelection, 1);
    EXPECT_EQ(length(1, 6000)->unlimitedStock, 1);
    EXPECT_EQ(log().size(), 2);

    // Refusals write nothing.
    const std::string before = testing_support::databaseSnapshot(db);
    for (const QStringList& refused : QList<QStringList>{{"stock", "set", "--profile", "9", "--length", "6000"},
                                                         {"stock", "set", "--profile", "1", "--length", "0"},
                                                         {"stock", "set", "--profile", "1", "--length", "6000", "--ext", "-1"},
                                                         {"stock", "delete", "--profile", "1", "--length", "5999", "--yes"},
                                                         {"stock", "delete", "--profile", "1", "--length", "6000"}}) {
        run = barmond(refused);
        EXPECT_EQ(run.exitCode, 1) << refused.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_TRUE(run.err.contains(QStringLiteral("--yes")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    run = barmond({"stock", "delete", "--profile", "1", "--length", "6000", "--yes"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Length 6000 mm of profile 1 deleted (id 1)\n"));
    EXPECT_FALSE(length(1, 6000).has_value());
    ASSERT_EQ(log().size(), 3);
    EXPECT_EQ(log()[2].operationType, 3);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(StockCommandsTest, DeleteIsRefusedForTheRemnantOfACuttingOrder)
{
    ASSERT_EQ(barmond({"stock", "set", "--profile", "2", "--length", "6000", "--int", "4"}).exitCode, 0);
    ASSERT_EQ(barmond({"stock", "set", "--profile", "2", "--length", "900", "--incom", "1"}).exitCode, 0);
    Table<StockTransItemRecord> items(db);
    StockTransItemRecord bar;
    bar.idTrans = 1;
    bar.profileLenghtId = length(2, 6000)->id;
    bar.profileLenght = 6000;
    bar.remnantId = length(2, 900)->id;
    ASSERT_EQ(items.addWithNewIdentifier(bar), 0);

    const Outcome run = barmond({"stock", "delete", "--profile", "2", "--length", "900", "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("występuje w zapisanych dokumentach produkcyjnych")));
    EXPECT_TRUE(length(2, 900).has_value());
}

TEST_F(StockCommandsTest, OpeningBalanceOnceAndTheExportText)
{
    Table<ProfileLengthRecord> lengths(db);
    for (ProfileLengthRecord l : {ProfileLengthRecord{0, 1, 6000, 0, 12, 3, -1, 1, 0, 1},
                                  ProfileLengthRecord{0, 1, 1500, 1, 0, 0, 0, 0, 0, 0},   // holds nothing
                                  ProfileLengthRecord{0, 1, 3000, 0, 0, 0, 0, 0, 0, 1},   // a commercial length
                                  ProfileLengthRecord{0, 2, 4000, 0, 123456789, 0, 0, 0, 0, 0}})
        ASSERT_EQ(lengths.addWithNewIdentifier(l), 0);

    Outcome run = barmond({"stock", "opening-balance"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Opening balance written: 4 lines\n"));
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    run = barmond({"stock", "opening-balance"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(log().size(), 4);

    run = barmond({"stock", "export"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 7) << run.out.toStdString();   // the text ends with a carriage return
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^ Stany magazynowe na \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                    .match(lines[0])
                    .hasMatch())
        << lines[0].toStdString();
    EXPECT_EQ(lines[1], QStringLiteral("Profil\tMin. odpad użytk. [mm]\tDługość [mm]\tMagazyn [szt]\tZewn. mag. [szt]\t"
                                       "W produkcji [szt]\tHurtownia"));
    // Profiles by code, lengths longest first; the empty non-commercial length left out.
    EXPECT_EQ(lines[2], QStringLiteral("AL-20\t          300\t         4000\t    123456789\t            0\t            0\t"));
    EXPECT_EQ(lines[3], QStringLiteral("KW-40\t          500\t         6000\t           12\t            3\t           -1\tTAK"));
    EXPECT_EQ(lines[4], QStringLiteral("KW-40\t          500\t         3000\t            0\t            0\t            0\t"));
    EXPECT_EQ(lines[5], QStringLiteral("RU-10\t            0\t            0\t            0\t            0\t            0\t"));
    EXPECT_EQ(lines[6], QString());

    run = barmond({"stock", "export", "--all"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("KW-40\t          500\t         1500\t")));
}

// Two stations save the same length: the one that read the counts before the other saved is refused
// with the counts now stored, and the first change stays.
TEST_F(StockCommandsTest, TwoProcessesChangingTheSameLengthAtOnce)
{
    ASSERT_EQ(barmond({"stock", "set", "--profile", "1", "--length", "6000", "--int", "5"}).exitCode, 0);

    QProcess* first = start({"stock", "set", "--profile", "1", "--length", "6000", "--int", "10"}, 2000);
    QThread::msleep(500);
    QProcess* second = start({"stock", "set", "--profile", "1", "--length", "6000", "--int", "20"}, 2000);
    const Outcome a = finish(first);
    const Outcome b = finish(second);
    EXPECT_EQ(a.exitCode, 0) << a.err.toStdString();
    EXPECT_EQ(b.exitCode, 1);
    EXPECT_TRUE(b.err.contains(QStringLiteral("zmieniony na innym stanowisku"))) << b.err.toStdString();
    EXPECT_TRUE(b.err.contains(QStringLiteral("w magazynie 10"))) << b.err.toStdString();
    EXPECT_EQ(length(1, 6000)->intStock, 10);
    ASSERT_EQ(log().size(), 2);
    EXPECT_EQ(log()[1].changeIntStock, 5);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

} // namespace
