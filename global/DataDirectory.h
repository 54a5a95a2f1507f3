#pragma once
// Where the program keeps its data: the folder holding "DB/" (the database) and "Barmond.ini".
// It is the current directory unless "--data-dir DIR" is given on the command line or the
// environment variable BARMOND_DATA names another folder (the command line wins).

#include <QString>
#include <QStringList>

namespace global {

// The data directory chosen by the program's arguments (argv, program name first or not) and the
// environment. Accepts "--data-dir DIR" and "--data-dir=DIR". Returns an absolute path.
QString dataDirectory(const QStringList& arguments);
QString dataDirectory(int argc, char** argv);

// The arguments without the data-directory option, for programs that parse the rest themselves.
QStringList withoutDataDirectoryOption(const QStringList& arguments);

QString databaseFolder(const QString& dataDir);   // <dataDir>/DB
QString databaseFile(const QString& dataDir);     // <dataDir>/DB/barmond.db
QString iniFile(const QString& dataDir);          // <dataDir>/Barmond.ini

} // namespace global
