#pragma once
// barmond stock opening-balance | set | delete | export

#include "shell/commands/CommandContext.h"

namespace shell {

int runStockCommand(CommandContext& context);

QString stockCommandUsage();

} // namespace shell
