#pragma once
// A database of layout version 1, as the earlier program wrote it, as a test's data directory's
// database. On the file it is the earlier program's own file. On the test server it is that file's
// every record copied into the server database the directory names, whose layout is then turned
// back into version 1's: the field map's key over type and external name binding every entry, and
// version 1 in the server's table of the layout version.

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/DatabaseCopy.h"
#include "global/DatabaseLocation.h"
#include "global/tests/support/RawDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <stdexcept>

namespace testing_support {

// The statements that give a server database of the current layout the keys of version 1.
inline QStringList version1KeysSql()
{
    return {QStringLiteral("DROP INDEX \"INTERFACE_MAP_BY_EXT\""),
            QStringLiteral("CREATE UNIQUE INDEX \"INTERFACE_MAP_BY_EXT\" ON \"INTERFACE_MAP\" (\"TYPE\", \"EXTERNAL_NAME\")")};
}

// A copy of the file, writable by its owner.
inline void copyFile(const QString& from, const QString& to)
{
    if (!QDir().mkpath(QFileInfo(to).absolutePath()) || !QFile::copy(from, to)
        || !QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw std::runtime_error(QStringLiteral("cannot copy %1 to %2").arg(from, to).toStdString());
}

// Puts the version 1 database version1File (the earlier program's file) in place as dataDir's.
// Throws (std::runtime_error) when it cannot.
inline void useVersion1Database(const QString& dataDir, const QString& version1File)
{
    const QString address = global::chosenDatabaseAddress(dataDir);
    if (!global::isServerAddress(address)) {
        copyFile(version1File, global::databaseFile(dataDir));
        return;
    }
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("layout-v1.db"));
    copyFile(version1File, copy);
    {
        global::Database source = global::Database::atFile(copy);   // not opened: it needs converting
        global::Database target = global::Database::atFile(address);
        if (target.open() != 0)
            throw std::runtime_error(target.openErrorText().toStdString());
        QString error;
        if (global::copyAllTables(source, target, error) != 0)
            throw std::runtime_error(error.toStdString());
    }
    RawDatabase raw = RawDatabase::at(address);
    raw.exec(version1KeysSql());
    raw.setLayoutVersion(1);
}

} // namespace testing_support
