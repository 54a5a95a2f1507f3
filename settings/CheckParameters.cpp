#include "settings/CheckParameters.h"

#include "global/Deform.h"
#include "global/Globals.h"
#include "global/Identifier.h"
#include "global/Table.h"

#include <cmath>
#include <limits>

namespace settings {

using namespace global;

namespace {

enum Parameter { Language, SawWidth, DefaultUnit, SelectionStart, PrintSubcontr };

QString trimmedRight(const QString& s)
{
    int end = s.size();
    while (end > 0 && s.at(end - 1).isSpace())
        --end;
    return s.left(end);
}

void applyValue(int parameter, const QString& value)
{
    Globals& g = glo();
    switch (parameter) {
    case Language: g.language = languageFromValue(value); break;
    case SawWidth: g.sawWidth = wholeNumberFromValue(value); break;
    case DefaultUnit: g.defUom = unitFromValue(value); break;
    case SelectionStart: g.selectionStart = wholeNumberFromValue(value); break;
    case PrintSubcontr: g.printSubcontr = integerFromValue(value); break;
    }
}

QString withError(const QString& text, int code, const QString& errorText)
{
    return text + QString::number(code) + QLatin1Char(' ') + errorText;
}

// Reads one parameter into its global, creating it with its default when it is missing.
bool loadParameter(Table<SetupParRecord>& table, int parameter, Dialogs& dialogs)
{
    const ParameterDefinition& def = parameterDefinitions().at(parameter);
    SetupParRecord rec;
    rec.techName = def.techName;
    const int code = table.fetch(Table<SetupParRecord>::ByTechName, rec);
    if (code == 0) {
        applyValue(parameter, rec.value);
        return true;
    }
    if (code != err::RecordNotFound) {
        dialogs.message(withError(def.readError, code, table.errorText()));
        return false;
    }
    rec = SetupParRecord{def.techName, def.name, def.defaultValue};
    applyValue(parameter, def.defaultValue);
    if (const int added = table.add(rec); added != 0) {
        dialogs.message(withError(def.addError, added, table.errorText()));
        return false;
    }
    return true;
}

// Finds this computer's station number, or adds the computer with the next free number.
bool identifyStation(Database& db, Dialogs& dialogs)
{
    Table<StationRecord> stations(db);
    StationRecord rec;
    rec.pcName = glo().sysCompName;
    int code = stations.fetch(Table<StationRecord>::ByName, rec);
    if (code == 0) {
        glo().userLp = rec.userLp;
        return true;
    }
    if (code != err::RecordNotFound) {
        dialogs.message(QStringLiteral("System Error searching PC name in the database. ErrorCode = ")
                        + QString::number(code));
        return false;
    }
    uint32_t number = 0;
    if (code = newIdentifier(stations, number); code != 0) {
        dialogs.message(QStringLiteral("System Error after PREVIOUS for STATIONS table. ErrorCode = ")
                        + QString::number(code));
        return false;
    }
    StationRecord added;
    added.pcName = glo().sysCompName;
    added.userLp = number;
    if (code = stations.add(added); code != 0) {
        dialogs.message(QStringLiteral("Error adding new recoerd for STATIONS table. ErrorCode = ")
                        + QString::number(code));
        return false;
    }
    glo().userLp = number;
    return true;
}

} // namespace

const QList<ParameterDefinition>& parameterDefinitions()
{
    static const QList<ParameterDefinition> defs{
        {QStringLiteral("GLO:LANGUAGE"), QStringLiteral("Język programu"), QStringLiteral("PL"),
         QStringLiteral("System Error reading language code for SETUP_PAR. ErrorCode = "),
         QStringLiteral("System Error adding language code for SETUP_PAR. ErrorCode = ")},
        {QStringLiteral("GLO:Saw_Width"), QStringLiteral("Szerokość piły"), QStringLiteral("5"),
         QStringLiteral("System Error reading saw width for SETUP_PAR. ErrorCode = "),
         QStringLiteral("System Error adding saw width for SETUP_PAR. ErrorCode = ")},
        {QStringLiteral("GLO:DEF_UOM"), QStringLiteral("Jednostka miary"), QStringLiteral("mm"),
         QStringLiteral("System Error reading defalt unit of measure for SETUP_PAR. ErrorCode = "),
         QStringLiteral("System Error adding default unit of measure for SETUP_PAR. ErrorCode = ")},
        {QStringLiteral("GLO:Selection_Start"),
         QStringLiteral("Start procedury selekcji od ilości różnych długości > niż"), QStringLiteral("7"),
         QStringLiteral("System Error reading selection procedure start from for SETUP_PAR. ErrorCode = "),
         QStringLiteral("System Error adding selection procedure start from for SETUP_PAR. ErrorCode = ")},
        {QStringLiteral("GLO:PRINTSUBCONTR"), QStringLiteral("Drukuj informacje o kooperacji"), QStringLiteral("0"),
         QStringLiteral("System Error reading GLO:PRINTSUBCONTR for SETUP_PAR. ErrorCode = "),
         QStringLiteral("System Error GLO:PRINTSUBCONTR for SETUP_PAR. ErrorCode = ")}};
    return defs;
}

QString languageFromValue(const QString& value)
{
    return trimmedRight(value).toUpper() == QLatin1String("EN") ? QStringLiteral("EN") : QStringLiteral("PL");
}

QString unitFromValue(const QString& value)
{
    return trimmedRight(value).toUpper() == QLatin1String("CM") ? QStringLiteral("cm") : QStringLiteral("mm");
}

uint32_t wholeNumberFromValue(const QString& value)
{
    const double number = std::trunc(deform(value));
    if (!(number > 0))
        return 0;   // a negative width or count means nothing; NaN too
    if (number >= double(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(number);
}

int integerFromValue(const QString& value)
{
    const QString s = value.trimmed();
    int end = 0;
    if (end < s.size() && (s.at(end) == QLatin1Char('-') || s.at(end) == QLatin1Char('+')))
        ++end;
    while (end < s.size() && s.at(end).isDigit())
        ++end;
    bool ok = false;
    const int number = s.left(end).toInt(&ok);
    return ok ? number : 0;
}

bool checkParameters(Database& db, Services& services)
{
    glo().sysUser = services.identity.userName();
    glo().sysCompName = services.identity.computerName();
    Table<SetupParRecord> parameters(db);
    for (int p = Language; p <= PrintSubcontr; ++p)
        if (!loadParameter(parameters, p, services.dialogs))
            return false;
    return identifyStation(db, services.dialogs);
}

} // namespace settings
