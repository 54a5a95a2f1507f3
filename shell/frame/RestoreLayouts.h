#pragma once
// "Zerowanie ustawienia ekranów": after the operator agrees, forgets every saved screen layout –
// the list formats (table LFM_CFile), the control positions (table LFM_DFile) and the window
// positions (Barmond.ini, whose section [Database] naming the database stays) – so that every
// window opens in its built-in layout again.

#include <QCoreApplication>
#include <QString>

namespace global {
class Database;
class Dialogs;
}

namespace shell {

class RestoreLayouts {
    Q_DECLARE_TR_FUNCTIONS(RestoreLayouts)
public:
    RestoreLayouts(global::Database& db, const QString& iniFile, global::Dialogs& dialogs);

    // Asks, then removes the three stores in turn; stops at the first failure with its message.
    // True when everything was removed (a store that was never written counts as removed).
    bool run();

private:
    bool removeListFormats();
    bool removeControlPositions();
    bool removeWindowPositions();
    bool keepsDatabaseChoice() const;
    bool keepOnlyDatabaseChoice();
    void reportIniError(int code, const QString& text);

    global::Database& db_;
    QString iniFile_;
    global::Dialogs& dialogs_;
};

} // namespace shell
