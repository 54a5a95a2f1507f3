#include "shell/frame/RestoreLayouts.h"

#include "global/Database.h"
#include "global/Globals.h"
#include "global/Services.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace shell {

namespace {
constexpr int LockWaitMs = 3000;
const QString DatabaseSection = QStringLiteral("Database");
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

// The file also names the database the station works on (its section [Database]): that section
// stays, so that the next start opens the same database; only the window positions go.
bool RestoreLayouts::removeWindowPositions()
{
    QFile file(iniFile_);
    if (QFileInfo(iniFile_).isFile() && keepsDatabaseChoice())
        return keepOnlyDatabaseChoice();
    if (!file.exists() || file.remove())
        return true;
    reportIniError(int(file.error()), file.errorString());
    return false;
}

bool RestoreLayouts::keepsDatabaseChoice() const
{
    const QSettings ini(iniFile_, QSettings::IniFormat);
    return ini.childGroups().contains(DatabaseSection);
}

bool RestoreLayouts::keepOnlyDatabaseChoice()
{
    QSettings ini(iniFile_, QSettings::IniFormat);
    for (const QString& key : ini.childKeys())
        ini.remove(key);
    for (const QString& group : ini.childGroups())
        if (group != DatabaseSection)
            ini.remove(group);
    ini.sync();
    if (ini.status() == QSettings::NoError)
        return true;
    reportIniError(int(ini.status()), tr("nie można zapisać pliku"));
    return false;
}

void RestoreLayouts::reportIniError(int code, const QString& text)
{
    dialogs_.message(tr("Wystąpił błąd podczas usuwania Barmond.ini. Numer błędu = ") + QString::number(code)
                     + QLatin1Char(' ') + text);
}

} // namespace shell
