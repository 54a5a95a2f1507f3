#pragma once
// The GLO: globals shared by the whole program: setup parameters, workstation identification and
// the optimizer's tuning values. Set at start-up and when the parameter list closes.

#include <QString>
#include <cstdint>

namespace global {

struct Globals {
    QString language = QStringLiteral("PL");   // GLO:LANGUAGE, "PL" or "EN"
    uint32_t sawWidth = 5;                      // GLO:Saw_Width
    QString defUom = QStringLiteral("mm");      // GLO:DEF_UOM, "mm" or "cm"
    uint32_t selectionStart = 7;                // GLO:Selection_Start
    int printSubcontr = 0;                      // GLO:PrintSubcontr
    uint32_t extTolerance = 10;                 // GLO:EXT_TOLERANCE
    uint32_t maxTheSameElements = 0;            // GLO:MaxTheSameElements

    QString sysUser;                            // GLO:SysUser
    QString sysCompName;                        // GLO:SysCompName
    uint32_t userLp = 0;                        // GLO:USER_LP, 0 until identified

    bool english() const { return language.trimmed().toUpper() == QLatin1String("EN"); }
};

// The one instance of the running program.
Globals& glo();

} // namespace global
