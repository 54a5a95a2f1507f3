#include "ui/window/ScriptedWindowContext.h"

namespace ui {

ScriptedWindowContext::ScriptedWindowContext(global::Database& db)
    : context{db,
              global::Services{dialogs, clipboard, clock, identity, files, userValues, progress, beeper},
              &layouts,
              &layouts,
              QString(),
              identity.userName(),
              identity.computerName(),
              1,
              &host}
{
}

} // namespace ui
