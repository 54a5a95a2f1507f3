// Draws the password question of a server database into a picture (scripts/password-pictures.sh):
//   shell-password-picture --language PL|EN --output FILE [--refused]
// --refused shows the question asked again after the server refused a password.

#include "shell/frame/LanguageSwitch.h"
#include "shell/frame/ServerSignIn.h"
#include "ui/qtservices/QtPasswordPrompt.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPixmap>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString language = QStringLiteral("PL");
    QString output;
    bool refused = false;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--language") && i + 1 < arguments.size())
            language = arguments[++i];
        else if (arguments[i] == QLatin1String("--output") && i + 1 < arguments.size())
            output = arguments[++i];
        else if (arguments[i] == QLatin1String("--refused"))
            refused = true;
    }
    if (output.isEmpty()) {
        std::fprintf(stderr, "usage: shell-password-picture --language PL|EN --output FILE [--refused]\n");
        return 2;
    }
    shell::LanguageSwitch languages;
    languages.apply(language);
    const global::DatabaseLocation location =
        global::parsePostgresAddress(QStringLiteral("postgresql://planner@server.local:5432/barmond"));
    global::SignInResult last;
    last.outcome = refused ? global::SignIn::PasswordRefused : global::SignIn::PasswordMissing;
    last.serverMessage = QStringLiteral("FATAL:  password authentication failed for user \"planner\"");
    std::unique_ptr<QInputDialog> dialog(
        ui::QtPasswordPrompt::makeDialog(shell::ServerSignIn::question(location, last), shell::ServerSignIn::caption(), nullptr));
    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("haslo"));
    dialog->show();
    QApplication::processEvents();
    if (!dialog->grab().save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
