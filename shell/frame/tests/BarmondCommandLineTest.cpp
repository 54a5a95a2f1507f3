// The desktop program's command line, run as the built program (offscreen).
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString err;
};

Outcome barmond(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("BARMOND_DATA");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(BARMOND_BINARY), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(BarmondCommandLine, APictureThatCannotBeWrittenEndsWithAnError)
{
    testing_support::TestDataDir dir;
    const QString picture = dir.filePath(QStringLiteral("no-such-folder/frame.png"));
    const Outcome run = barmond({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--screenshot"), picture});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write ") + picture)) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(picture));

    const QString written = dir.filePath(QStringLiteral("frame.png"));
    const Outcome good = barmond({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--screenshot"), written});
    EXPECT_EQ(good.exitCode, 0) << good.err.toStdString();
    EXPECT_TRUE(QFileInfo(written).size() > 0);
}

TEST(BarmondCommandLine, UnknownMethodsAndStatusSelectorsAreABadCommandLine)
{
    testing_support::TestDataDir dir;
    for (const QStringList& wrong : {QStringList{"--mode", "6"}, QStringList{"--status", "258"},
                                     QStringList{"--status", "4"}, QStringList{"--profile", "1 "}}) {
        QStringList arguments{QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--optimize")};
        if (wrong.first() != QLatin1String("--profile"))
            arguments << QStringLiteral("--profile") << QStringLiteral("1");
        arguments << wrong;
        const Outcome run = barmond(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: barmond"))) << run.err.toStdString();
    }
    // Refused before anything was opened.
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("DB"))));
}

} // namespace
