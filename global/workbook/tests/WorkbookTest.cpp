// Reading workbooks written by other programs, writing ours and reading them back with another
// reader, and replacing a workbook only when the new one is complete.

#include "global/workbook/Workbook.h"
#include "global/workbook/WorkbookReader.h"
#include "global/workbook/WorkbookWriter.h"
#include "support/WorkbookFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace global;
using testing_support::fileChecksum;
using testing_support::openpyxlDump;

namespace {

class FixtureWorkbooks : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        testing_support::makeFixtureWorkbooks(folder->path());
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    static QString fixture(const QString& name) { return folder->filePath(name); }

    static QTemporaryDir* folder;
};

QTemporaryDir* FixtureWorkbooks::folder = nullptr;

TEST(CellText, NumbersInPlainDecimalNotation)
{
    EXPECT_EQ(cellNumberText(1200), "1200");
    EXPECT_EQ(cellNumberText(0.1), "0.1");
    EXPECT_EQ(cellNumberText(1e20), "100000000000000000000");
    EXPECT_EQ(cellNumberText(-0.000001), "-0.000001");
    EXPECT_EQ(cellNumberText(2.5e-10), "0.00000000025");
    EXPECT_EQ(cellNumberText(-0.0), "0");
    EXPECT_EQ(cellNumberText(std::nan("")), "");
    EXPECT_EQ(cellNumberText(1.0 / 0.0), "");
    EXPECT_EQ(WorkbookCell::ofBoolean(true).asText(), "TRUE");
    EXPECT_EQ(WorkbookCell::ofBoolean(false).asText(), "FALSE");
    EXPECT_EQ(WorkbookCell::ofDate(2024, 3, 15).asText(), "45366");
    EXPECT_TRUE(WorkbookCell::ofNumber(std::nan("")).isEmpty());
}

TEST(WorkbookModel, SheetsCellsAndLastRow)
{
    Workbook book;
    EXPECT_EQ(book.activeSheet(), nullptr);
    book.addSheet("Notatki");
    WorkbookSheet& cuts = book.addSheet("Cuts");
    EXPECT_EQ(book.activeSheet()->name(), "Notatki");
    EXPECT_EQ(book.sheetNamed("CUTS"), &cuts);
    EXPECT_EQ(book.sheetNamed("Profiles"), nullptr);
    EXPECT_EQ(cuts.lastUsedRow(), 0);
    cuts.setText(2, 2, "No");
    cuts.setNumber(9, 4, 7);
    cuts.setText(5, 11, "x");
    EXPECT_EQ(cuts.lastUsedRow(), 9);
    EXPECT_EQ(cuts.lastUsedColumn(), 11);
    EXPECT_EQ(cuts.cellText(9, 4), "7");
    EXPECT_EQ(cuts.cellText(8, 4), "");
    cuts.clearCell(9, 4);
    cuts.setText(5, 11, "");
    EXPECT_EQ(cuts.lastUsedRow(), 2);
    book.setActiveSheet(1);
    EXPECT_EQ(book.activeSheet(), &cuts);
}

TEST_F(FixtureWorkbooks, ReadsEveryKindOfCellOfAnXlsxAsText)
{
    const WorkbookReading reading = readWorkbook(fixture("cells.xlsx"));
    ASSERT_TRUE(reading.workbook) << reading.refusal.toStdString();
    EXPECT_TRUE(reading.rewritable()) << reading.notCarried.join(", ").toStdString();
    const Workbook& book = *reading.workbook;
    EXPECT_EQ(book.sheetNames(), (QStringList{"Notatki", "Odcinki"}));
    ASSERT_EQ(book.activeSheet()->name(), "Odcinki");
    const WorkbookSheet& sheet = *book.activeSheet();
    EXPECT_EQ(sheet.cellText(2, 2), "Zażółć gęślą jaźń");
    EXPECT_EQ(sheet.cellText(3, 2), "1200");
    EXPECT_EQ(sheet.cellText(3, 3), "0.1");
    EXPECT_EQ(sheet.cellText(3, 4), "100000000000000000000");
    EXPECT_EQ(sheet.cellText(3, 5), "-0.000001");
    EXPECT_EQ(sheet.cellText(3, 6), "0.00000000025");
    EXPECT_EQ(sheet.cellText(4, 2), "TRUE");
    EXPECT_EQ(sheet.cellText(4, 3), "FALSE");
    EXPECT_EQ(sheet.cellText(5, 2), "2400");
    EXPECT_EQ(sheet.cell(5, 2).formula, "B3*2");
    EXPECT_EQ(sheet.cellText(5, 3), "ab");
    EXPECT_EQ(sheet.cellText(6, 2), "45366");
    EXPECT_EQ(sheet.cell(6, 2).numberFormat, "yyyy-mm-dd");
    EXPECT_EQ(sheet.cell(6, 3).builtinFormat, 14);
    EXPECT_EQ(sheet.cellText(6, 4), "3.14159");
    EXPECT_EQ(sheet.cellText(7, 2), "  odstępy  ");
    EXPECT_EQ(sheet.cellText(12, 4), "po przerwie");
    EXPECT_EQ(sheet.lastUsedRow(), 12);
    ASSERT_TRUE(sheet.columnWidth(2));
    EXPECT_NEAR(*sheet.columnWidth(2), 31.5, 0.1);
    EXPECT_EQ(book.sheet(0).cellText(1, 1), "Uwagi dla zmiany");
}

TEST_F(FixtureWorkbooks, FormulasWithErrorsReadAsEmpty)
{
    const WorkbookReading reading = readWorkbook(fixture("errors.xlsx"));
    ASSERT_TRUE(reading.workbook) << reading.refusal.toStdString();
    const WorkbookSheet& sheet = *reading.workbook->activeSheet();
    EXPECT_EQ(sheet.cellText(1, 1), "");
    EXPECT_EQ(sheet.cell(1, 1).formula, "1/0");
    EXPECT_EQ(sheet.cellText(2, 1), "");
    EXPECT_EQ(sheet.cellText(3, 1), "5");
}

TEST_F(FixtureWorkbooks, ReadsRepeatedTextsAndAnOdsWorkbook)
{
    const WorkbookReading repeated = readWorkbook(fixture("repeated.xlsx"));
    ASSERT_TRUE(repeated.workbook) << repeated.refusal.toStdString();
    const WorkbookSheet& rows = *repeated.workbook->activeSheet();
    EXPECT_EQ(rows.lastUsedRow(), 200);
    EXPECT_EQ(rows.cellText(1, 1), "rura");
    EXPECT_EQ(rows.cellText(200, 1), "profil");
    EXPECT_EQ(rows.cellText(200, 2), "199");

    const WorkbookReading ods = readWorkbook(fixture("cuts.ods"));
    ASSERT_TRUE(ods.workbook) << ods.refusal.toStdString();
    EXPECT_EQ(ods.workbook->sheetNames(), (QStringList{"Pierwszy", "Cięcia"}));
    EXPECT_EQ(ods.workbook->activeSheet()->name(), "Cięcia");
    const WorkbookSheet& cuts = *ods.workbook->sheetNamed("Cięcia");
    EXPECT_EQ(cuts.cellText(1, 2), "PROFIL");
    EXPECT_EQ(cuts.cellText(1, 3), "Długość");
    EXPECT_EQ(cuts.cellText(2, 2), "KX-40");
    EXPECT_EQ(cuts.cellText(2, 3), "1250.5");
    EXPECT_EQ(cuts.cellText(2, 4), "tak");
    EXPECT_EQ(cuts.cellText(2, 5), "45366");
    EXPECT_EQ(cuts.cellText(2, 6), "2501");
}

TEST_F(FixtureWorkbooks, RefusesWhatItCannotReadCompletely)
{
    const WorkbookReading inlineStrings = readWorkbook(fixture("inline.xlsx"));
    EXPECT_FALSE(inlineStrings.workbook);
    EXPECT_TRUE(inlineStrings.refusal.contains("zapisz ponownie")) << inlineStrings.refusal.toStdString();

    const WorkbookReading absolute = readWorkbook(fixture("absolute.xlsx"));
    EXPECT_FALSE(absolute.workbook);
    EXPECT_TRUE(absolute.refusal.contains("bezwzględnymi")) << absolute.refusal.toStdString();

    const WorkbookReading logical = readWorkbook(fixture("logical.xlsx"));
    EXPECT_FALSE(logical.workbook);
    EXPECT_TRUE(logical.refusal.contains("logicznym")) << logical.refusal.toStdString();

    const WorkbookReading old = readWorkbook(fixture("old.xls"));
    EXPECT_FALSE(old.workbook);
    EXPECT_TRUE(old.refusal.contains(".xlsx")) << old.refusal.toStdString();

    const WorkbookReading flags = readWorkbook(fixture("flags.ods"));
    EXPECT_FALSE(flags.workbook);
    EXPECT_TRUE(flags.refusal.contains("logicznymi")) << flags.refusal.toStdString();

    for (const QString& name : {QStringLiteral("broken.xlsx"), QStringLiteral("missing.xlsx"),
                                QStringLiteral("vbaProject.bin")}) {
        const WorkbookReading reading = readWorkbook(fixture(name));
        EXPECT_FALSE(reading.workbook) << name.toStdString();
        EXPECT_FALSE(reading.refusal.isEmpty()) << name.toStdString();
    }
}

TEST_F(FixtureWorkbooks, NamesWhatWritingBackWouldLose)
{
    const WorkbookReading macros = readWorkbook(fixture("macros.xlsm"));
    ASSERT_TRUE(macros.workbook) << macros.refusal.toStdString();
    EXPECT_EQ(macros.workbook->activeSheet()->cellText(1, 1), "z makrem");
    EXPECT_TRUE(macros.notCarried.contains("makra"));
    EXPECT_FALSE(macros.rewritable());

    const WorkbookReading chart = readWorkbook(fixture("chart.xlsx"));
    ASSERT_TRUE(chart.workbook) << chart.refusal.toStdString();
    EXPECT_EQ(chart.workbook->activeSheet()->cellText(3, 1), "3");
    EXPECT_TRUE(chart.notCarried.contains("wykresy"));
    EXPECT_FALSE(chart.rewritable());
}

Workbook sampleWorkbook()
{
    Workbook book;
    WorkbookSheet& first = book.addSheet("Arkusz ą");
    first.setText(1, 1, "pierwszy");
    WorkbookSheet& cuts = book.addSheet("Cuts");
    cuts.setText(2, 2, "Łódź");
    cuts.setNumber(3, 2, 6000);
    cuts.setNumber(3, 3, 12.25);
    cuts.setCell(3, 4, WorkbookCell::ofDate(2025, 1, 31));
    cuts.setCell(3, 5, WorkbookCell::ofBoolean(true));
    WorkbookCell formula = WorkbookCell::ofNumber(12000);
    formula.formula = "B3*2";
    cuts.setCell(4, 2, formula);
    cuts.setText(40, 7, "daleko");
    cuts.setColumnWidth(2, 20);
    book.setActiveSheet(1);
    return book;
}

TEST(WorkbookWriting, OpenpyxlReadsBackEveryCellSheetAndWidth)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nowy.xlsx");
    ASSERT_EQ(writeWorkbook(sampleWorkbook(), path), "");
    EXPECT_FALSE(QFile::exists(workbookBackupName(path)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"nowy.xlsx"});
    EXPECT_TRUE(QFile::permissions(path).testFlag(QFileDevice::ReadOther));

    const QJsonObject dump = openpyxlDump(path);
    EXPECT_EQ(dump["sheets"].toArray(), (QJsonArray{"Arkusz ą", "Cuts"}));
    EXPECT_EQ(dump["active"].toInt(), 1);
    const QJsonObject cells = dump["cells"]["Cuts"].toObject();
    EXPECT_EQ(cells["B2"].toString(), "Łódź");
    EXPECT_EQ(cells["B3"].toDouble(), 6000);
    EXPECT_EQ(cells["C3"].toDouble(), 12.25);
    EXPECT_EQ(cells["D3"].toString(), "2025-01-31");
    EXPECT_EQ(cells["E3"].toBool(), true);
    EXPECT_EQ(cells["B4"].toString(), "=B3*2");
    EXPECT_EQ(dump["values"]["Cuts"]["B4"].toDouble(), 12000);
    EXPECT_EQ(cells["G40"].toString(), "daleko");
    EXPECT_EQ(cells.size(), 7);
    EXPECT_NEAR(dump["widths"]["Cuts"]["B"].toDouble(), 20.71, 0.01);
    EXPECT_EQ(dump["cells"]["Arkusz ą"]["A1"].toString(), "pierwszy");
}

TEST_F(FixtureWorkbooks, RewritingAWorkbookChangesNothingOfItsCells)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cells.xlsx");
    ASSERT_TRUE(QFile::copy(fixture("cells.xlsx"), path));
    const QByteArray before = fileChecksum(path);
    const QJsonObject original = openpyxlDump(path);

    WorkbookReading reading = readWorkbook(path);
    ASSERT_TRUE(reading.rewritable());
    ASSERT_EQ(writeWorkbook(*reading.workbook, path), "");

    EXPECT_EQ(fileChecksum(workbookBackupName(path)), before);
    EXPECT_EQ(QFile::permissions(path), QFile::permissions(fixture("cells.xlsx")));
    const QJsonObject rewritten = openpyxlDump(path);
    for (const char* part : {"sheets", "active", "cells", "values", "formats", "widths"})
        EXPECT_EQ(rewritten[part], original[part]) << part;

    // and once more: nothing drifts from one writing to the next
    reading = readWorkbook(path);
    ASSERT_TRUE(reading.workbook);
    ASSERT_EQ(writeWorkbook(*reading.workbook, path), "");
    EXPECT_EQ(openpyxlDump(path)["widths"], original["widths"]);
}

TEST(WorkbookWriting, AFailedWritingLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("stary.xlsx");
    ASSERT_EQ(writeWorkbook(sampleWorkbook(), path), "");
    const QByteArray before = fileChecksum(path);

    Workbook tooLong = sampleWorkbook();
    tooLong.sheet(1).setText(5, 2, QString(40000, 'x'));  // more than a cell can hold
    const QString failure = writeWorkbook(tooLong, path);
    EXPECT_TRUE(failure.contains("wierszu 5")) << failure.toStdString();
    EXPECT_EQ(fileChecksum(path), before);
    EXPECT_FALSE(QFile::exists(workbookBackupName(path)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"stary.xlsx"});

    Workbook badName;
    badName.addSheet("Zły[nazwa]");
    EXPECT_FALSE(writeWorkbook(badName, path).isEmpty());
    EXPECT_EQ(fileChecksum(path), before);
    EXPECT_FALSE(writeWorkbook(Workbook{}, path).isEmpty());
    EXPECT_EQ(fileChecksum(path), before);
}

} // namespace
