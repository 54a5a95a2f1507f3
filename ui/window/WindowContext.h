#pragma once
// What every window of the program works with, handed to it as one object: the database, the
// services, where the operator's layouts are kept (list formats, control positions, Barmond.ini),
// who works at which station, and where browses open. The program makes it once after start-up;
// tests make one with scripted services (ScriptedWindowContext.h).

#include "global/Services.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace global { class Database; }
namespace layout {
class ControlPositionStore;
class ListFormatStore;
} // namespace layout

namespace ui {

class WindowHost;
namespace report { class ReportOutput; }

struct WindowContext {
    global::Database& database;
    global::Services services;
    layout::ListFormatStore* formats = nullptr;       // list formats; none: not kept
    layout::ControlPositionStore* positions = nullptr; // splitter and control positions; none: not kept
    QString iniFile{};                                 // Barmond.ini; empty: window places not kept
    QString user{};                                    // GLO:SysUser
    QString station{};                                 // GLO:SysCompName
    int16_t stationNumber = 0;                         // GLO:USER_LP, the key of the layouts
    WindowHost* host = nullptr;                        // where browses open; none: on their own
    // Where printed reports go: the program hands the print preview over its printer; none: a
    // print preview over the default printer.
    std::function<std::unique_ptr<report::ReportOutput>()> reportOutput{};
};

} // namespace ui
