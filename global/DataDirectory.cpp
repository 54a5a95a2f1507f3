#include "global/DataDirectory.h"

#include <QDir>

namespace global {

namespace {
const QString Option = QStringLiteral("--data-dir");
}

QString dataDirectory(const QStringList& arguments)
{
    QString chosen;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == Option && i + 1 < arguments.size())
            chosen = arguments.at(i + 1);
        else if (a.startsWith(Option + QLatin1Char('=')))
            chosen = a.mid(Option.size() + 1);
    }
    if (chosen.isEmpty())
        chosen = qEnvironmentVariable("BARMOND_DATA");
    if (chosen.isEmpty())
        chosen = QDir::currentPath();
    return QDir(chosen).absolutePath();
}

QString dataDirectory(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return dataDirectory(args);
}

QStringList withoutDataDirectoryOption(const QStringList& arguments)
{
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == Option) {
            ++i;
            continue;
        }
        if (a.startsWith(Option + QLatin1Char('=')))
            continue;
        rest << a;
    }
    return rest;
}

QString databaseFolder(const QString& dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("DB"));
}

QString databaseFile(const QString& dataDir)
{
    return QDir(databaseFolder(dataDir)).filePath(QStringLiteral("barmond.db"));
}

QString iniFile(const QString& dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("Barmond.ini"));
}

} // namespace global
