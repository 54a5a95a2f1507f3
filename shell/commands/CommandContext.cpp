#include "shell/commands/CommandContext.h"

#include <cstdio>

namespace shell {

CommandLine::CommandLine(const QStringList& arguments, const QStringList& flags)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            words_ << arg;
            continue;
        }
        QString name = arg.mid(2);
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            options_.insert(name.left(eq), name.mid(eq + 1));
            continue;
        }
        if (flags.contains(name)) {
            options_.insert(name, QString());
            continue;
        }
        if (i + 1 >= arguments.size())
            throw UsageError{QStringLiteral("the option --%1 needs a value").arg(name)};
        options_.insert(name, arguments[++i]);
    }
}

void CommandLine::allowOnly(const QStringList& names) const
{
    for (auto it = options_.cbegin(); it != options_.cend(); ++it)
        if (!names.contains(it.key()))
            throw UsageError{QStringLiteral("unknown option --%1").arg(it.key())};
}

std::optional<int32_t> CommandLine::signedNumber(const QString& name) const
{
    if (!has(name))
        return std::nullopt;
    bool ok = false;
    const int value = text(name).toInt(&ok);
    if (!ok)
        throw UsageError{QStringLiteral("--%1 takes a whole number, not \"%2\"").arg(name, text(name))};
    return value;
}

std::optional<uint32_t> CommandLine::optionalUnsigned(const QString& name) const
{
    if (!has(name))
        return std::nullopt;
    bool ok = false;
    const uint value = text(name).toUInt(&ok);
    if (!ok || text(name).startsWith(QLatin1Char('-')) || text(name).startsWith(QLatin1Char('+')))
        throw UsageError{QStringLiteral("--%1 takes a whole number of 0 or more, not \"%2\"").arg(name, text(name))};
    return value;
}

uint32_t CommandLine::unsignedNumber(const QString& name) const
{
    const std::optional<uint32_t> value = optionalUnsigned(name);
    if (!value)
        throw UsageError{QStringLiteral("the option --%1 is required").arg(name)};
    return *value;
}

std::optional<bool> CommandLine::flag01(const QString& name) const
{
    if (!has(name))
        return std::nullopt;
    if (text(name) == QLatin1String("0"))
        return false;
    if (text(name) == QLatin1String("1"))
        return true;
    throw UsageError{QStringLiteral("--%1 takes 0 or 1, not \"%2\"").arg(name, text(name))};
}

void CommandDialogs::message(const QString& text, const QString&)
{
    QString shown = text;
    shown.replace(QLatin1Char('|'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s\n", shown.toUtf8().constData());
    std::fflush(stderr);
}

int CommandDialogs::ask(const QString& text, const QStringList& buttons, const QString&)
{
    if (yes_)
        return 0;
    unanswered_ = true;
    message(text + QStringLiteral("|(answer with --yes)"));
    return buttons.isEmpty() ? 0 : int(buttons.size() - 1);
}

CommandContext::CommandContext(const CommandLine& commandLine, const QString& dataDir)
    : line(commandLine),
      dialogs(commandLine.has(QStringLiteral("yes"))),
      services{dialogs, clipboard, clock, identity},
      database(dataDir)
{
}

bool CommandContext::openDatabase()
{
    return database.openOrReport(dialogs);
}

void CommandContext::print(const QString& text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace shell
