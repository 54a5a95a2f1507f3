#pragma once
// Where the program keeps its data: the folder holding "DB/" (the database) and "Barmond.ini".
// It is the current directory unless "--data-dir DIR" is given on the command line or the
// environment variable BARMOND_DATA names another folder (the command line wins). Both programs
// read the option here and nowhere else.

#include <QString>
#include <QStringList>

namespace global {

// The data-directory option taken out of a command line.
struct DataDirectoryChoice {
    QString folder;        // absolute: the option's folder, else BARMOND_DATA, else the current one
    QStringList rest;      // the other arguments, in their order
    QString error;         // "--data-dir needs a folder" when the option has none
    bool ok() const { return error.isEmpty(); }
};

// Reads "--data-dir DIR" or "--data-dir=DIR", which may stand anywhere on the line (the last one
// given counts).
DataDirectoryChoice takeDataDirectory(const QStringList& arguments);

QString databaseFolder(const QString& dataDir);   // <dataDir>/DB
QString databaseFile(const QString& dataDir);     // <dataDir>/DB/barmond.db
QString iniFile(const QString& dataDir);          // <dataDir>/Barmond.ini

} // namespace global
