// The desktop program: reads its command line, opens the database of the data directory, checks
// the parameters and shows the main frame.

#include "DataDirectory.h"
#include "Globals.h"
#include "Program.h"
#include "QtServices.h"
#include "StartupOptions.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tervox"));
    QApplication::setApplicationName(QStringLiteral("Barmond"));

    const shell::StartupParse parse = shell::parseStartup(app.arguments().mid(1));
    if (!parse.ok()) {
        std::fprintf(stderr, "barmond: %s\n%s", qPrintable(parse.error), qPrintable(shell::startupUsage()));
        return 2;
    }

    global::DesktopServices desktop;
    shell::Program program(global::dataDirectory(app.arguments()), desktop.services());
    if (!program.start())
        return 1;
    desktop.dialogs.setParent(&program.frame());
    if (!parse.options.language.isEmpty()) {
        global::glo().language = parse.options.language;
        program.frame().applyLanguageSetting();
    }

    if (!parse.options.screenshot.isEmpty()) {
        program.frame().resize(1000, 700);
        program.frame().show();
        QTimer::singleShot(500, &program.frame(), [&program, file = parse.options.screenshot] {
            if (!program.frame().grab().save(file))
                std::fprintf(stderr, "barmond: cannot write %s\n", qPrintable(file));
            QApplication::quit();
        });
        return app.exec();
    }
    program.show();
    return app.exec();
}
