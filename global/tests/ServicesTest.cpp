// The services procedures are given: questions answered only as planned (tests) or by an option
// (command line), and the defaults of the services a caller need not hand.

#include "global/ConsoleDialogs.h"
#include "global/ScriptedServices.h"

#include <gtest/gtest.h>


using namespace global;

namespace {
const QStringList YesNo{QStringLiteral("Tak"), QStringLiteral("Nie")};
}

TEST(ScriptedDialogs, AnswersAsPlannedAndRecordsEverythingShown)
{
    ScriptedDialogs dialogs;
    dialogs.planAnswers({1, 0});
    dialogs.message(QStringLiteral("Uwaga"), QStringLiteral("Tytuł"));
    EXPECT_EQ(dialogs.ask(QStringLiteral("Pierwsze?"), YesNo), 1);
    EXPECT_EQ(dialogs.ask(QStringLiteral("Drugie?"), YesNo), 0);
    EXPECT_EQ(dialogs.plannedLeft(), 0);
    EXPECT_EQ(dialogs.messages(), (QStringList{"Uwaga", "Pierwsze?", "Drugie?"}));
    EXPECT_EQ(dialogs.shown()[0].caption, QStringLiteral("Tytuł"));
    EXPECT_TRUE(dialogs.shown()[0].buttons.isEmpty());
    EXPECT_EQ(dialogs.shown()[1].answer, 1);
    EXPECT_TRUE(dialogs.unplanned().isEmpty());
}

TEST(ScriptedDialogs, AnUnplannedQuestionIsReportedAndRefused)
{
    ScriptedDialogs dialogs;
    QStringList reported;
    dialogs.setUnplannedHandler([&reported](const QString& question) { reported << question; });
    EXPECT_EQ(dialogs.ask(QStringLiteral("Spróbować ponownie?"), YesNo), 1);   // the last button
    EXPECT_EQ(dialogs.ask(QStringLiteral("Zapisać?"), {"Tak", "Nie", "Anuluj"}), 2);
    EXPECT_EQ(reported, (QStringList{"Spróbować ponownie?", "Zapisać?"}));
    EXPECT_EQ(dialogs.unplanned(), reported);
}

TEST(ScriptedDialogsDeathTest, AnUnplannedQuestionStopsTheTestByDefault)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            ScriptedDialogs dialogs;
            dialogs.ask(QStringLiteral("Czy na pewno?"), YesNo);
        },
        "No answer was planned for the question \"Czy na pewno\\?\"");
}

TEST(ScriptedFileChooser, ChoosesThePlannedFilesAndReportsAnUnplannedChoice)
{
    ScriptedFileChooser files;
    files.planFiles({QStringLiteral("/tmp/a.xlsx")});
    EXPECT_EQ(files.openFile(QStringLiteral("Import"), QStringLiteral("/tmp"), QStringLiteral("*.xlsx")),
              QStringLiteral("/tmp/a.xlsx"));
    QStringList reported;
    files.setUnplannedHandler([&reported](const QString& caption) { reported << caption; });
    EXPECT_TRUE(files.saveFile(QStringLiteral("Eksport"), {}, {}).isEmpty());
    EXPECT_EQ(reported, QStringList{"Eksport"});
    EXPECT_EQ(files.asked(), (QStringList{"Import", "Eksport"}));
    EXPECT_EQ(files.startPaths().first(), QStringLiteral("/tmp"));
}

TEST(ScriptedServices, ProgressIsCancelledAtThePlannedStepAndValuesCanFailToBeStored)
{
    ScriptedProgress progress;
    progress.cancelAt(3);
    progress.start(QStringLiteral("Import"), 10);
    EXPECT_TRUE(progress.advance(2));
    EXPECT_FALSE(progress.advance(3));
    progress.finish();
    EXPECT_EQ(progress.texts(), QStringList{"Import"});
    EXPECT_EQ(progress.steps(), 10);
    EXPECT_EQ(progress.lastStep(), 3);
    EXPECT_EQ(progress.finished(), 1);

    MemoryUserValues values;
    EXPECT_TRUE(values.setValue(QStringLiteral("LastInterfaceFile"), QStringLiteral("a.xlsx")));
    values.failWrites(true);
    EXPECT_FALSE(values.setValue(QStringLiteral("LastInterfaceFile"), QStringLiteral("b.xlsx")));
    EXPECT_EQ(values.value(QStringLiteral("LastInterfaceFile")), QStringLiteral("a.xlsx"));
}

TEST(Services, WhatACallerDoesNotHandIsTheCommandLinesWay)
{
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock;
    FixedIdentity identity;
    Services services{dialogs, clipboard, clock, identity};
    EXPECT_TRUE(services.files.openFile(QStringLiteral("Plik"), {}, {}).isEmpty());
    EXPECT_TRUE(services.userValues.setValue(QStringLiteral("ExcelExportFile1"), QStringLiteral("x.xlsx")));
    EXPECT_EQ(services.userValues.value(QStringLiteral("ExcelExportFile1")), QStringLiteral("x.xlsx"));
    services.progress.start(QStringLiteral("Praca"), 5);
    EXPECT_TRUE(services.progress.advance(5));
    services.beeper.beep();
}

TEST(ConsoleDialogs, AQuestionWithoutItsOptionStopsTheCommandNamingTheOption)
{
    QString written;
    QTextStream out(&written);
    ConsoleDialogs console(out);
    console.message(QStringLiteral("Pierwsza linia|druga"), QStringLiteral("Uwaga"));
    EXPECT_EQ(written, QStringLiteral("Uwaga: Pierwsza linia\ndruga\n"));

    console.setAnsweringOption(QStringLiteral("--yes"), false);
    try {
        console.ask(QStringLiteral("Usunąć zlecenie?"), YesNo);
        ADD_FAILURE() << "the question was answered";
    } catch (const UnansweredQuestion& stop) {
        EXPECT_EQ(stop.option, QStringLiteral("--yes"));
        EXPECT_EQ(stop.explanation(),
                  QStringLiteral("The question \"Usunąć zlecenie?\" needs an answer: give --yes. Nothing was done."));
    }

    ConsoleDialogs noOption(out);
    EXPECT_THROW(noOption.ask(QStringLiteral("Dalej?"), YesNo), UnansweredQuestion);
}

TEST(ConsoleDialogs, TheGivenOptionAnswersEveryQuestion)
{
    QString written;
    QTextStream out(&written);
    ConsoleDialogs console(out);
    console.setAnsweringOption(QStringLiteral("--yes"), true);
    EXPECT_EQ(console.ask(QStringLiteral("Zamknąć?"), {" Tak ", " Nie "}), 0);
    EXPECT_TRUE(written.endsWith(QStringLiteral("-> Tak (--yes)\n")));
    console.setAnsweringOption(QStringLiteral("--answer omit"), true, 1);
    EXPECT_EQ(console.ask(QStringLiteral("Dodać?"), {"Dodaj", "Pomiń", "Przerwij"}), 1);
}
