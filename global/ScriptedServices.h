#pragma once
// Services that need no person and no desktop: they record what a procedure showed and answer
// its questions from a plan. The tests use them to fix every answer, file, value, the clock and
// the names.
//
// A question or file choice that the test did not plan is a fault of the test: it is recorded and
// reported to the unplanned handler, which by default stops the test run with the question's text,
// and it is answered with the last button (the one that refuses) or with no file.

#include "global/Services.h"

#include <QHash>
#include <QList>
#include <QMutex>

#include <functional>

namespace global {

// Called with the text of a question nobody planned an answer for.
using UnplannedHandler = std::function<void(const QString& question)>;
// The default handler: ends the run with a message naming the question.
void stopOnUnplanned(const QString& question);

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        QString caption;
        QStringList buttons;   // empty for a message
        int answer = -1;       // the button chosen for a question
    };

    void message(const QString& text, const QString& caption = {}) override;
    int ask(const QString& text, const QStringList& buttons, const QString& caption = {}) override;

    // Answers given to the next questions, in order.
    void planAnswers(const QList<int>& answers) { planned_ = answers; }
    void planAnswer(int answer) { planned_ << answer; }
    // Planned answers no question has taken yet.
    int plannedLeft() const { return int(planned_.size()); }
    void setUnplannedHandler(UnplannedHandler handler) { unplannedHandler_ = std::move(handler); }

    const QList<Shown>& shown() const { return shown_; }
    QStringList messages() const;   // texts of everything shown, in order
    QStringList unplanned() const { return unplanned_; }
    void clear() { shown_.clear(); }

private:
    QList<Shown> shown_;
    QList<int> planned_;
    QStringList unplanned_;
    UnplannedHandler unplannedHandler_ = stopOnUnplanned;
};

class MemoryClipboard : public Clipboard {
public:
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }

private:
    QString text_;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2026, 1, 5), QTime(8, 0))) : now_(now) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime& now) { now_ = now; }
    void advance(qint64 milliseconds) { now_ = now_.addMSecs(milliseconds); }

private:
    QDateTime now_;
};

class FixedIdentity : public Identity {
public:
    FixedIdentity(QString user = QStringLiteral("operator"), QString computer = QStringLiteral("STATION1"))
        : user_(std::move(user)), computer_(std::move(computer)) {}
    QString userName() const override { return user_; }
    QString computerName() const override { return computer_; }
    void setComputerName(const QString& name) { computer_ = name; }

private:
    QString user_;
    QString computer_;
};

// Files "chosen" from a plan, in order.
class ScriptedFileChooser : public FileChooser {
public:
    QString openFile(const QString& caption, const QString& startPath, const QString& filters) override;
    QString saveFile(const QString& caption, const QString& startPath, const QString& filters) override;

    void planFiles(const QStringList& files) { planned_ = files; }
    void setUnplannedHandler(UnplannedHandler handler) { unplannedHandler_ = std::move(handler); }
    // The captions of the choices asked for, in order.
    QStringList asked() const { return asked_; }
    QStringList startPaths() const { return startPaths_; }

private:
    QString choose(const QString& caption, const QString& startPath);

    QStringList planned_;
    QStringList asked_;
    QStringList startPaths_;
    UnplannedHandler unplannedHandler_ = stopOnUnplanned;
};

// Per-user values in memory; writes can be made to fail.
class MemoryUserValues : public UserValues {
public:
    QString value(const QString& name) const override { return values_.value(name); }
    bool setValue(const QString& name, const QString& value) override;
    void failWrites(bool fail) { failWrites_ = fail; }

private:
    QHash<QString, QString> values_;
    bool failWrites_ = false;
};

// Records the progress shown; the operator "cancels" once the planned step is reached.
class ScriptedProgress : public Progress {
public:
    void start(const QString& text, qint64 steps) override;
    bool advance(qint64 done) override;
    void finish() override;

    // advance() answers false from this step on (-1: never).
    void cancelAt(qint64 step);
    QStringList texts() const;
    qint64 lastStep() const;
    qint64 steps() const;
    int finished() const;

private:
    mutable QMutex mutex_;
    QStringList texts_;
    qint64 steps_ = 0;
    qint64 last_ = 0;
    qint64 cancelAt_ = -1;
    int finished_ = 0;
};

class CountingBeeper : public Beeper {
public:
    void beep() override { ++count_; }
    int count() const { return count_; }

private:
    int count_ = 0;
};

// The real clock and the login and host names of this machine, cut to 19 characters.
class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class SystemIdentity : public Identity {
public:
    QString userName() const override;
    QString computerName() const override;
};

} // namespace global
