#include "global/ConsoleDialogs.h"

namespace global {

namespace {

QString consoleText(const QString& text)
{
    return QString(text).replace(QLatin1Char('|'), QLatin1Char('\n'));
}

QTextStream& standardError()
{
    static QTextStream err(stderr);
    return err;
}

} // namespace

UnansweredQuestion::UnansweredQuestion(QString question, QString option)
    : std::runtime_error("a question without an answer"), question(std::move(question)), option(std::move(option))
{
}

QString UnansweredQuestion::explanation() const
{
    const QString asked = consoleText(question).simplified();
    if (option.isEmpty())
        return QStringLiteral("The question \"%1\" cannot be answered on the command line: nothing was done.")
            .arg(asked);
    return QStringLiteral("The question \"%1\" needs an answer: give %2. Nothing was done.").arg(asked, option);
}

ConsoleDialogs::ConsoleDialogs() = default;

ConsoleDialogs::ConsoleDialogs(QTextStream& out) : out_(&out) {}

QTextStream& ConsoleDialogs::out()
{
    return out_ ? *out_ : standardError();
}

void ConsoleDialogs::message(const QString& text, const QString& caption)
{
    if (!caption.isEmpty())
        out() << caption << ": ";
    out() << consoleText(text) << Qt::endl;
}

int ConsoleDialogs::ask(const QString& text, const QStringList& buttons, const QString& caption)
{
    if (!answerGiven_)
        throw UnansweredQuestion(text, option_);
    message(text, caption);
    const int answer = buttons.isEmpty() ? 0 : qBound(0, answer_, int(buttons.size()) - 1);
    if (!buttons.isEmpty())
        out() << "-> " << buttons.at(answer).trimmed() << " (" << option_ << ")" << Qt::endl;
    return answer;
}

void ConsoleDialogs::setAnsweringOption(const QString& option, bool given, int answer)
{
    option_ = option;
    answerGiven_ = given;
    answer_ = answer;
}

} // namespace global
