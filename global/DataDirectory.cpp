#include "global/DataDirectory.h"

#include "global/DatabaseLocation.h"

#include <QDir>

namespace global {

namespace {
const QString Option = QStringLiteral("--data-dir");
const QString NeedsFolder = QStringLiteral("--data-dir needs a folder");
const QString DatabaseOption = QStringLiteral("--database");
const QString NeedsAddress = QStringLiteral("--database needs an address (postgresql://user@host:port/name)");
}

DataDirectoryChoice takeDataDirectory(const QStringList& arguments)
{
    DataDirectoryChoice choice;
    QString chosen;
    QString database;   // "--database URL": handed on as BARMOND_DATABASE (DatabaseLocation.h)
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == Option) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
                choice.error = NeedsFolder;
            else
                chosen = arguments.at(i + 1);
            ++i;
        } else if (a.startsWith(Option + QLatin1Char('='))) {
            chosen = a.mid(Option.size() + 1);
            if (chosen.isEmpty())
                choice.error = NeedsFolder;
        } else if (a == DatabaseOption) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
                choice.error = NeedsAddress;
            else
                database = arguments.at(i + 1);
            ++i;
        } else if (a.startsWith(DatabaseOption + QLatin1Char('='))) {
            database = a.mid(DatabaseOption.size() + 1);
            if (database.isEmpty())
                choice.error = NeedsAddress;
        } else {
            choice.rest << a;
        }
    }
    if (!database.isEmpty())
        qputenv(databaseVariable(), database.toUtf8());
    if (chosen.isEmpty())
        chosen = qEnvironmentVariable("BARMOND_DATA");
    if (chosen.isEmpty())
        chosen = QDir::currentPath();
    choice.folder = QDir(chosen).absolutePath();
    return choice;
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
