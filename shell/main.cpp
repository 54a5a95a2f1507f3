// The desktop program: reads its command line, opens the database of the data directory, checks
// the parameters and shows the main frame.

#include "MainFrame.h"
#include "PrinterSettings.h"
#include "ProgramInfo.h"
#include "LanguageSwitch.h"
#include "QtServices.h"
#include "StartupOptions.h"

#include "Globals.h"

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

    global::DesktopServices services;
    shell::LanguageSwitch language;
    shell::MainFrame frame(language, services.clock);
    services.dialogs.setParent(&frame);
    frame.setOpener(shell::MainFrame::Item::About, [&frame] {
        shell::ProgramInfo info(QString(), &frame);
        info.exec();
    });
    frame.setOpener(shell::MainFrame::Item::PrinterSettings, [&frame] { shell::choosePrinter(&frame); });
    if (!parse.options.language.isEmpty())
        global::glo().language = parse.options.language;
    frame.resize(1000, 700);
    frame.show();
    if (!parse.options.screenshot.isEmpty()) {
        QTimer::singleShot(500, &frame, [&frame, file = parse.options.screenshot] {
            if (!frame.grab().save(file))
                std::fprintf(stderr, "barmond: cannot write %s\n", qPrintable(file));
            QApplication::quit();
        });
    } else {
        frame.showSplash(QString());
    }
    return app.exec();
}
