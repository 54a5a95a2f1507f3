#pragma once
// barmond stock opening-balance | set | delete | export

#include "shell/command/CommandContext.h"

namespace shell {

int runStockCommand(CommandContext& context);

QString stockCommandUsage();

} // namespace shell
