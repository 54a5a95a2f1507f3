#pragma once
// What a procedure may ask of the outside world. Procedures never show a window, touch the
// clipboard or read the clock themselves: the desktop program, the command line and the tests
// each plug in their own implementation.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace global {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // One message box with a single acknowledge button. "|" in the text starts a new line.
    virtual void message(const QString& text, const QString& caption = {}) = 0;
    // A question with the given buttons ("Tak|Nie" style lists are passed already split);
    // returns the index of the chosen button, 0 for the first.
    virtual int ask(const QString& text, const QStringList& buttons, const QString& caption = {}) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class Identity {
public:
    virtual ~Identity() = default;
    virtual QString userName() const = 0;      // at most 19 characters
    virtual QString computerName() const = 0;  // at most 19 characters
};

// The services one procedure call works with.
struct Services {
    Dialogs& dialogs;
    Clipboard& clipboard;
    Clock& clock;
    Identity& identity;
};

} // namespace global
