#pragma once
// Services that need no person and no desktop: they record what a procedure showed and answer
// its questions from a plan. The tests use them to fix every answer, the clock and the names;
// the command line uses them where nobody can answer.

#include "global/Services.h"

#include <QList>

namespace global {

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

    // Answers given to the next questions, in order; when none is planned the default is used.
    void planAnswers(const QList<int>& answers) { planned_ = answers; }
    void setDefaultAnswer(int answer) { defaultAnswer_ = answer; }

    const QList<Shown>& shown() const { return shown_; }
    QStringList messages() const;   // texts of everything shown, in order
    void clear() { shown_.clear(); }

private:
    QList<Shown> shown_;
    QList<int> planned_;
    int defaultAnswer_ = 0;
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
