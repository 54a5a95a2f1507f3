#pragma once
// barmond transactions close | reopen | delete | print | export

#include <QString>

namespace shell {

QString transactionCommandUsage();

} // namespace shell
