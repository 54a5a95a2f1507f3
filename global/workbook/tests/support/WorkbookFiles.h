#pragma once
// Workbooks made and read by other programs than ours, for tests: the fixture workbooks written by
// make_workbooks.py (XlsxWriter, openpyxl and a hand-made .ods) and a workbook read back by
// openpyxl through dump_workbook.py.

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace testing_support {

// The test target names the folder of the scripts (CMake: barmond_use_workbook_fixtures).
#ifndef WORKBOOK_TEST_SCRIPTS
#error "WORKBOOK_TEST_SCRIPTS must name the folder of make_workbooks.py"
#endif

inline QString workbookScript(const QString& name)
{
    return QStringLiteral(WORKBOOK_TEST_SCRIPTS "/") + name;
}

// The Python that has XlsxWriter and openpyxl: the system's own.
inline QString workbookPython()
{
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                  : QStringLiteral("python3");
}

// Runs a script of the fixture folder; throws with its error output when it fails.
inline QByteArray runWorkbookScript(const QString& script, const QStringList& arguments)
{
    QProcess process;
    process.start(workbookPython(), QStringList{workbookScript(script)} + arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error((script + QStringLiteral(" failed: ") +
                                  QString::fromUtf8(process.readAllStandardError())).toStdString());
    return process.readAllStandardOutput();
}

// Writes the fixture workbooks into folder.
inline void makeFixtureWorkbooks(const QString& folder)
{
    runWorkbookScript(QStringLiteral("make_workbooks.py"), {folder});
}

// The workbook as openpyxl reads it: {"sheets": [...], "active": n, "cells": {sheet: {"B2": value}},
// "values": {sheet: {"B2": cached value}}, "formats": {sheet: {"B2": number format}},
// "widths": {sheet: {"B": width}}}.
inline QJsonObject openpyxlDump(const QString& path)
{
    return QJsonDocument::fromJson(runWorkbookScript(QStringLiteral("dump_workbook.py"), {path})).object();
}

inline QByteArray fileChecksum(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

} // namespace testing_support
