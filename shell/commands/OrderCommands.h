#pragma once
// barmond orders import | import-pieces | approve | withdraw | close | delete | print, and
// barmond profiles import: the order procedures of the orders browse and the pasted imports, with a
// file holding what a person would have copied to the clipboard.

#include "shell/commands/CommandContext.h"

namespace shell {

int runOrdersCommand(CommandContext& context);
int runProfilesCommand(CommandContext& context);

QString orderCommandUsage();
// barmond cuts import (CutCommands.cpp).
QString cutCommandUsage();

} // namespace shell
