#pragma once
// A window context for tests: scripted services that record what the windows showed and answer
// from a plan (global/ScriptedServices.h), layouts kept in memory, no Barmond.ini, station 1, and
// browses opening as windows of their own.
//
//   ui::ScriptedWindowContext scripted(db);
//   scripted.dialogs.planAnswers({0});
//   MyBrowse browse(scripted.context);

#include "global/ScriptedServices.h"
#include "ui/layout/LayoutStore.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

namespace ui {

class ScriptedWindowContext {
public:
    explicit ScriptedWindowContext(global::Database& db);

    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    global::FixedIdentity identity;
    global::ScriptedFileChooser files;
    global::MemoryUserValues userValues;
    global::ScriptedProgress progress;
    global::CountingBeeper beeper;
    layout::MemoryLayoutStore layouts;
    TopLevelWindowHost host;
    WindowContext context;
};

} // namespace ui
