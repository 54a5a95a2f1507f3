#pragma once
// What a PDF says, read by poppler's pdftotext and pdfinfo, for the tests of reports.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace testing_support {

// The text of a PDF, laid out as on the page (pdftotext -layout), pages separated by form feeds.
inline QString pdfText(const QString& pdfFile, bool layout = true)
{
    QProcess process;
    QStringList arguments;
    if (layout)
        arguments << QStringLiteral("-layout");
    arguments << pdfFile << QStringLiteral("-");
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pdfPages(const QString& pdfFile)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdfFile});
    if (!process.waitForFinished(60000))
        return -1;
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text with every run of spaces made one space, for checks that do not care about columns.
inline QString squeezed(const QString& text)
{
    QString out = text;
    out.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
    return out;
}

} // namespace testing_support
