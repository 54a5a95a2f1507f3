#pragma once
// barmond transactions close | reopen | delete | print

#include <QString>

namespace shell {

QString transactionCommandUsage();

} // namespace shell
