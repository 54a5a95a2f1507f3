// kadrel formula EXPRESSION [NAME=VALUE ...]: evaluates a formula of the import field map with the
// given names bound to text values, as an import or a cut list would, and prints the result.
#include "optimizer/cli/Commands.h"

#include "global/Formula.h"

#include <QTextStream>

#include <cstdio>

namespace kadrel::cli {

namespace {

// Binds one NAME=VALUE argument; false after a usage message.
bool bindArgument(const QString& argument, global::FormulaBindings& names, int& exitCode)
{
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    const QString name = argument.left(equals);
    if (equals <= 0 || !global::isFormulaName(name)) {
        exitCode = usageError(QStringLiteral("formula: \"%1\" is not NAME=VALUE with a name of letters, "
                                             "digits, _ and :").arg(argument));
        return false;
    }
    if (names.contains(name)) {
        exitCode = usageError(QStringLiteral("formula: the name %1 is given twice").arg(name.toUpper()));
        return false;
    }
    names.bind(name, argument.mid(equals + 1));
    return true;
}

} // namespace

int runFormula(const QStringList& args)
{
    if (args.isEmpty())
        return usageError(QStringLiteral("formula needs an expression"));
    global::FormulaBindings names;
    for (qsizetype i = 1; i < args.size(); ++i) {
        int exitCode = ExitOk;
        if (!bindArgument(args.at(i), names, exitCode))
            return exitCode;
    }
    const global::FormulaResult result = global::evaluateFormula(args.first(), names);
    if (!result.ok()) {
        QTextStream(stderr) << result.errorMessage() << Qt::endl;
        return ExitFailed;
    }
    printLine(result.value.toText());
    return ExitOk;
}

} // namespace kadrel::cli
