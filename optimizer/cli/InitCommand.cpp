// kadrel init: opens (or creates) the database of the data directory, loads the setup parameters
// and identifies this station, as the desktop program does when it starts.
#include "optimizer/cli/Commands.h"

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "settings/CheckParameters.h"

namespace kadrel::cli {

namespace {

void printParameters(const global::Database& db)
{
    const global::Globals& g = global::glo();
    printLine(QStringLiteral("Database: %1").arg(db.filePath()));
    printLine(QStringLiteral("Setup parameters:"));
    printLine(QStringLiteral("  GLO:LANGUAGE        = %1").arg(g.language));
    printLine(QStringLiteral("  GLO:Saw_Width       = %1").arg(g.sawWidth));
    printLine(QStringLiteral("  GLO:DEF_UOM         = %1").arg(g.defUom));
    printLine(QStringLiteral("  GLO:Selection_Start = %1").arg(g.selectionStart));
    printLine(QStringLiteral("  GLO:PrintSubcontr   = %1").arg(g.printSubcontr));
    printLine(QStringLiteral("Joint tolerance of the optimizer: GLO:EXT_TOLERANCE = %1").arg(g.extTolerance));
    const QString user = g.sysUser.isEmpty() ? QString() : QStringLiteral(", user %1").arg(g.sysUser);
    printLine(QStringLiteral("Station: %1%2, station number %3").arg(g.sysCompName, user, QString::number(g.userLp)));
}

} // namespace

bool openWithParameters(global::Database& db)
{
    if (!db.openOrReport(consoleDialogs()))
        return false;
    global::MemoryClipboard clipboard;
    global::SystemClock clock;
    global::SystemIdentity identity;
    global::Services services{consoleDialogs(), clipboard, clock, identity};
    global::glo().sysUser = identity.userName();
    global::glo().sysCompName = identity.computerName();
    return settings::checkParameters(db, services);
}

int runInit(const QStringList& args)
{
    if (!args.isEmpty())
        return usageError(QStringLiteral("init takes no arguments"));

    global::Database db(dataDirectory());
    if (!openWithParameters(db))
        return ExitFailed;

    printParameters(db);
    return ExitOk;
}

} // namespace kadrel::cli
