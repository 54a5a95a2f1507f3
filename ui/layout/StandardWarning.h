#pragma once
// The standard warnings of the record forms and browses, by number. Messages show one "&OK"
// button; questions show their buttons and the index of the button pressed is returned (0 for the
// first; a message returns 0).

#include <QString>
#include <QStringList>

namespace global { class Dialogs; }

namespace layout {

struct StandardWarningText {
    QString title;
    QString text;
    QStringList buttons;   // empty for a plain message
};

// What warning `code` shows. Parameters by code:
//   1, 2, 3, 22, 28            first = the file
//   4, 5, 26, 30, 31, 34, 35   first = the file, second = the error text
//   6                          first = the procedure
//   7, 12, 14, 25, 36          first = the error text
//   8, 9, 10                   first = the field, second = the limit (for 10: "low and high")
//   11                         first = the field, second = the file
//   13                         first = the file that refers to the record
//   24                         first = the key
//   27                         first = what is being loaded
//   29                         first = "Beginning" for the beginning of the file, else the end
// An unknown code gives an empty text.
StandardWarningText standardWarningText(int code, const QString& first = {}, const QString& second = {});

// STANDARDWARNING: shows the warning through the dialogs service; returns the button pressed.
int standardWarning(global::Dialogs& dialogs, int code, const QString& first = {}, const QString& second = {});

} // namespace layout
