#include "shell/frame/RestoreLayouts.h"

#include "global/Database.h"
#include "global/Globals.h"
#include "global/Services.h"

#include <QFile>

namespace shell {

namespace {
constexpr int LockWaitMs = 3000;
}

RestoreLayouts::RestoreLayouts(global::Database& db, const QString& iniFile, global::Dialogs& dialogs)
    : db_(db), iniFile_(iniFile), dialogs_(dialogs)
{
}

bool RestoreLayouts::run()
{
    const QString language = global::glo().language.trimmed().toUpper();
    if (language != QLatin1String("PL") && language != QLatin1String("EN"))
        return false;
    const int answer = dialogs_.ask(tr("Czy chcesz przywrócić wszystkie domyślne formaty ekranów ?"),
                                    {tr("Tak"), tr("Nie")});
    if (answer != 0)
        return false;
    if (!removeListFormats() || !removeControlPositions() || !removeWindowPositions())
        return false;
    dialogs_.message(tr("Przywrócono ustawienia domyślne ekranów"));
    return true;
}

bool RestoreLayouts::removeListFormats()
{
    const int code = db_.emptyTables({QStringLiteral("LFM_CFile")}, LockWaitMs);
    if (code == 0)
        return true;
    dialogs_.message(tr("Wystąpił błąd podczas usuwania DB\\ListForm.dat. Numer błędu = ")
                     + QString::number(code) + QLatin1Char(' ') + db_.lastErrorText());
    return false;
}

bool RestoreLayouts::removeControlPositions()
{
    const int code = db_.emptyTables({QStringLiteral("LFM_DFile")}, LockWaitMs);
    if (code == 0)
        return true;
    dialogs_.message(tr("Wystąpił błąd podczas usuwania DB\\ListLoc.dat. Numer błędu = ")
                     + QString::number(code) + QLatin1Char(' ') + db_.lastErrorText());
    return false;
}

bool RestoreLayouts::removeWindowPositions()
{
    QFile ini(iniFile_);
    if (!ini.exists() || ini.remove())
        return true;
    dialogs_.message(tr("Wystąpił błąd podczas usuwania Barmond.ini. Numer błędu = ")
                     + QString::number(int(ini.error())) + QLatin1Char(' ') + ini.errorString());
    return false;
}

} // namespace shell
