#pragma once
// Cut-list workbooks made by other programs than ours (make_cut_workbooks.py: XlsxWriter and a
// hand-made .ods), and the field map that reads them.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace testing_support {

#ifndef CUT_WORKBOOK_SCRIPT
#error "CUT_WORKBOOK_SCRIPT must name make_cut_workbooks.py"
#endif

// Writes cuts.xlsx, cuts.ods, row21.xlsx, count.xlsx and existing.xlsx into folder, and big.xlsx
// with that many rows of pieces when bigRows is not 0. Throws with the script's errors.
inline void makeCutWorkbooks(const QString& folder, int bigRows = 0)
{
    QStringList arguments{QStringLiteral(CUT_WORKBOOK_SCRIPT), folder};
    if (bigRows > 0)
        arguments << QString::number(bigRows);
    // The system's Python has XlsxWriter.
    const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                 : QStringLiteral("python3");
    QProcess process;
    process.start(python, arguments);
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error("make_cut_workbooks.py failed: "
                                 + QString::fromUtf8(process.readAllStandardError()).toStdString());
}

// The "CUTS" entries that read the workbooks above: the order from its column or else from the
// group row above, the weight in kilograms per metre, and a second description computed only.
inline void addCutsMap(global::Database& db)
{
    global::Table<global::InterfaceMapRecord> map(db);
    const auto add = [&map](const char* internal, const char* external, const char* formula) {
        global::InterfaceMapRecord entry;
        entry.type = QStringLiteral("CUTS");
        entry.internalName = QString::fromUtf8(internal);
        entry.externalName = QString::fromUtf8(external);
        entry.formula = QString::fromUtf8(formula);
        if (map.add(entry) != 0)
            throw std::runtime_error("cannot add the map entry " + std::string(internal));
    };
    add("PROFIL", "Profil", "");
    add("ORDER", "Zlecenie", "CHOOSE(LEN(CLIP(ORDER)) > 0, ORDER, BREAK:ORDER)");
    add("LENGHT", "Długość", "");
    add("PCS", "Ilość", "");
    add("CODE", "Kod", "");
    add("DESCR1", "Opis", "");
    add("WEIGHT", "Waga", "");
    add("WEIGHT_UOM", "", "WEIGHT");
    add("DESCR2", "", "'Zlecenie ' & BREAK:ORDER");
}

} // namespace testing_support
