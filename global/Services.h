#pragma once
// What a procedure may ask of the outside world. Procedures never show a window, touch the
// clipboard, choose a file or read the clock themselves: the desktop program, the command line and
// the tests each plug in their own implementation.

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

// The file the operator picks; empty when he cancelled. filters as "Arkusze (*.xlsx *.ods)",
// several separated by ";;".
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString openFile(const QString& caption, const QString& startPath, const QString& filters) = 0;
    virtual QString saveFile(const QString& caption, const QString& startPath, const QString& filters) = 0;
};

// Values kept for the operator between runs (the last workbook used, ...), by name.
class UserValues {
public:
    virtual ~UserValues() = default;
    // The stored value, empty when there is none.
    virtual QString value(const QString& name) const = 0;
    // False when the value could not be stored.
    virtual bool setValue(const QString& name, const QString& value) = 0;
};

// Progress of long work, which the operator may cancel. May be called from a worker thread.
class Progress {
public:
    virtual ~Progress() = default;
    // Starts showing the work: its text and the number of steps (0 when not known).
    virtual void start(const QString& text, qint64 steps) = 0;
    // Steps done so far. False once the operator has asked to cancel: the work then stops and
    // leaves everything as it was.
    virtual bool advance(qint64 done) = 0;
    virtual void finish() = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// What the services below are when nobody hands them: no one chooses a file (the choice comes
// back cancelled), values are kept for this run only, progress is not shown and is never
// cancelled, and a beep makes no sound. So it is on the command line.
FileChooser& noFileChooser();
UserValues& runUserValues();
Progress& silentProgress();
Beeper& silentBeeper();

// The services one procedure call works with.
struct Services {
    Dialogs& dialogs;
    Clipboard& clipboard;
    Clock& clock;
    Identity& identity;
    FileChooser& files = noFileChooser();
    UserValues& userValues = runUserValues();
    Progress& progress = silentProgress();
    Beeper& beeper = silentBeeper();
};

} // namespace global
