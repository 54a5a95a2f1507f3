#pragma once
// Messages and questions of a command line. Messages go to standard error ("|" starts a new line).
// Nobody sits at the console to answer a question: a question is answered only by the option the
// command was given for it (--yes, --answer ...). A question without one stops the command: ask()
// throws UnansweredQuestion, which the command line turns into exit status 1 with a message naming
// the option. Since the question comes before the write it guards, and any open transaction is
// rolled back as the stack unwinds, nothing has been written.

#include "global/Services.h"

#include <QTextStream>

#include <stdexcept>

namespace global {

class UnansweredQuestion : public std::runtime_error {
public:
    UnansweredQuestion(QString question, QString option);
    QString question;
    QString option;   // the option that would have answered it; empty when the command has none
    // "The question ... needs an answer: give --yes." for the console.
    QString explanation() const;
};

class ConsoleDialogs : public Dialogs {
public:
    // Writes to standard error unless another stream is given (tests).
    ConsoleDialogs();
    explicit ConsoleDialogs(QTextStream& out);

    void message(const QString& text, const QString& caption = {}) override;
    int ask(const QString& text, const QStringList& buttons, const QString& caption = {}) override;

    // The option of this command line that answers questions, and whether it was given: given,
    // every question takes the button `answer` (0, the first, for --yes); not given, a question
    // stops the command with a message naming the option.
    void setAnsweringOption(const QString& option, bool given, int answer = 0);

private:
    QTextStream& out();

    QTextStream* out_ = nullptr;
    QString option_;
    bool answerGiven_ = false;
    int answer_ = 0;
};

} // namespace global
