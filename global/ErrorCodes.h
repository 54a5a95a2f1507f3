#pragma once
// Error numbers of the table layer and the in-memory lists. Every table operation answers 0 on
// success or one of these; procedures show them at the end of their messages ("... ErrorCode = 35").
// Each number is defined here and nowhere else.

#include <QString>

namespace global {

namespace err {
inline constexpr int None = 0;
inline constexpr int FileNotFound = 2;       // the database file or folder is missing and cannot be made
inline constexpr int AccessDenied = 5;       // the database file cannot be written (read-only)
inline constexpr int NotInList = 30;         // a look-up in an in-memory list found nothing
inline constexpr int FileLocked = 32;        // another station holds the database locked past the wait
inline constexpr int NoMoreRecords = 33;     // next/previous ran past the end of the key
inline constexpr int RecordNotFound = 35;    // fetch by key found nothing; no record last read
inline constexpr int DuplicateKey = 40;      // add/update would duplicate a unique key
inline constexpr int KeysNeedRebuild = 46;   // the keys of the file are damaged
inline constexpr int InvalidFile = 47;       // not a database of this program, or an unknown layout
inline constexpr int RecordChanged = 89;     // changed by another station since it was read under watch
inline constexpr int StorageError = 90;      // any other failure of the storage engine
} // namespace err

// A short English description of an error number, for the end of a message.
QString errorDescription(int code);

} // namespace global
