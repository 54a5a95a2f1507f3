// kadrel formula, run as the built program.
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome kadrel(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(KADREL_BINARY), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(FormulaCommandTest, PrintsTheResultWithTheNamesBound)
{
    const struct {
        QStringList arguments;
        QString printed;
    } cases[] = {
        {{"formula", "LENGHT * 2", "LENGHT=1 234,5"}, "2469\n"},
        {{"formula", "WEIGHT / 1000", "weight=1500"}, "1,5\n"},
        {{"formula", "BREAK:ORDER & '/' & ROUND(Cut:Lenght / 10)", "BREAK:ORDER=Z/12", "CUT:LENGHT=1234,5"}, "Z/12/123\n"},
        {{"formula", "UPPER(X) & LEN(X)", QString::fromUtf8("X=łódź")}, QString::fromUtf8("ŁÓDŹ4\n")},
        {{"formula", "X", "X=a=b"}, "a=b\n"},
        {{"formula", "LEN(X)", "X="}, "0\n"},
        {{"formula", "CHOOSE(PCS > 1, 'many', 'one')", "PCS=1"}, "one\n"},
        {{"formula", "'plain'"}, "plain\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = kadrel(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(run.out, c.printed) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
}

TEST(FormulaCommandTest, AFailingFormulaExitsOneWithItsErrorNumber)
{
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{"formula", "1 / X", "X=0"}, "error 1103: division by zero\n"},
        {{"formula", "X + 1"}, "error 1101: unknown name X at character 1\n"},
        {{"formula", "FOO(1)"}, "error 1102: unknown function FOO at character 1\n"},
        {{"formula", "1 +"}, "error 1100: syntax error at character 4: the formula ends too early\n"},
        {{"formula", "X & X & X", "X=" + QString(1500, QLatin1Char('x'))}, "error 1104: the text is longer than 4096 characters\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = kadrel(c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, c.message) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
}

TEST(FormulaCommandTest, AWrongCommandLineExitsTwoAndTouchesNoData)
{
    QTemporaryDir dir;
    const QList<QStringList> wrong = {
        {"formula"},
        {"formula", "1", "NOEQUALS"},
        {"formula", "1", "=5"},
        {"formula", "1", "A B=1"},
        {"formula", "1", "1A=1"},
        {"formula", "A", "A=1", "a=2"},
    };
    for (const QStringList& arguments : wrong) {
        const Outcome run = kadrel(QStringList{"--data-dir", dir.path()} + arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("Usage: kadrel")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const Outcome good = kadrel({"--data-dir", dir.path(), "formula", "1 + 1"});
    EXPECT_EQ(good.out, "2\n");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("DB")));   // a formula needs no database

    const Outcome help = kadrel({"help"});
    EXPECT_TRUE(help.out.contains("kadrel [--data-dir DIR] formula EXPRESSION [NAME=VALUE ...]")) << help.out.toStdString();
}

} // namespace
