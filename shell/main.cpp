// The desktop program: reads its command line, opens the database of the data directory, checks
// the parameters and shows the main frame.

#include "MainFrame.h"
#include "PrinterSettings.h"
#include "ProgramInfo.h"
#include "LanguageSwitch.h"
#include "QtServices.h"
#include "StartupOptions.h"

#include <QApplication>
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
        shell::ProgramInfo info(&frame);
        info.exec();
    });
    frame.setOpener(shell::MainFrame::Item::PrinterSettings, [&frame] { shell::choosePrinter(&frame); });
    frame.show();
    frame.showSplash(QString());
    return app.exec();
}
