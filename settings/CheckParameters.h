#pragma once
// Loading the setup parameters into the GLO: globals and identifying this workstation.
//
// For each of the five parameters (language, saw width, default unit, selection start, print of
// co-operation data), in that order: read it from SETUP_PAR; when it is missing create it with its
// default. Then find this computer (glo().sysCompName, taken from the identity service) in
// STATIONS, or give it the next free station number. The first failure is shown through the
// dialogs and ends the procedure; the globals not yet reached keep their values.

#include "global/Database.h"
#include "global/Services.h"

#include <QString>

namespace settings {

struct ParameterDefinition {
    QString techName;      // SETP:TECH_NAME, compared exactly
    QString name;          // SETP:NAME written when the parameter is created
    QString defaultValue;  // SETP:VALUE written when the parameter is created
    QString readError;     // message text when reading fails (error code and text follow)
    QString addError;      // message text when creating fails
};

// The five parameters in the order they are read.
const QList<ParameterDefinition>& parameterDefinitions();

// Returns true when every parameter was loaded and the station identified.
bool checkParameters(global::Database& db, global::Services& services);

// The conversions of the stored values into the globals.
QString languageFromValue(const QString& value);   // "EN" or "PL"
QString unitFromValue(const QString& value);       // "cm" or "mm"
uint32_t wholeNumberFromValue(const QString& value);   // through deform, cut towards zero
int integerFromValue(const QString& value);        // the value read as a whole number

} // namespace settings
