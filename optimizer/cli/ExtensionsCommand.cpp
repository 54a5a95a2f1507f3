// kadrel extensions: the joint list of a solution, as the extensions export puts it on the
// clipboard (tab-separated, lines ended by a carriage return), on standard output.
#include "optimizer/cli/Commands.h"

#include "global/Database.h"
#include "global/Services.h"
#include "optimizer/ExtensionsExport.h"
#include "optimizer/cli/SolutionOptions.h"

#include <QTextStream>

namespace kadrel::cli {

int runExtensions(const QStringList& args)
{
    const QString name = QStringLiteral("extensions");
    ParsedOptions options;
    if (const QString problem = splitOptions(name, args, {}, solutionValuedOptions(), options); !problem.isEmpty())
        return usageError(problem);
    SolutionRequest request;
    if (const QString problem = readSolutionRequest(name, options, request); !problem.isEmpty())
        return usageError(problem);

    global::Database db(dataDirectory());
    if (!openWithParameters(db))
        return ExitFailed;
    ChosenSolution chosen;
    if (!computeSolution(db, consoleDialogs(), request, chosen))
        return ExitFailed;
    QString text;
    QString error;
    if (!extensionsExportText(db, request.call.profile, chosen.pieces, 0, text, error)) {
        consoleDialogs().message(error);
        return ExitFailed;
    }
    QTextStream out(stdout);
    out << text;
    out.flush();
    return ExitOk;
}

} // namespace kadrel::cli
