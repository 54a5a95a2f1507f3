// The desktop program: reads its command line, opens the database of the data directory, checks
// the parameters and shows the main frame. Given a command (barmond stock set ...) it runs that
// without any window and ends.

#include "global/DataDirectory.h"
#include "global/Globals.h"
#include "settings/gui/SetupParWindow.h"
#include "shell/commands/Commands.h"
#include "shell/frame/FramePicture.h"
#include "shell/frame/Icons.h"
#include "shell/frame/Program.h"
#include "shell/frame/StartupOptions.h"
#include "ui/qtservices/QtPasswordPrompt.h"
#include "ui/qtservices/QtServices.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// The program's own arguments: Qt's single-dash options (-platform offscreen, -style fusion …)
// are left to QApplication.
QStringList ownArguments(int argc, char** argv)
{
    static const QStringList qtOptionsWithValue{"-platform", "-platformpluginpath", "-platformtheme", "-plugin",
                                                "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-style",
                                                "-stylesheet", "-session", "-display", "-geometry", "-title", "-name"};
    QStringList own;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        // A negative number ("--incom -2") is a value, not an option of Qt.
        const bool qtOption = arg.size() > 1 && arg.at(0) == QLatin1Char('-') && arg.at(1).isLetter();
        if (qtOption) {
            if (qtOptionsWithValue.contains(arg))
                ++i;
            continue;
        }
        own << arg;
    }
    return own;
}

// A command (barmond database convert ...) runs without any window system.
int runCommand(int argc, char** argv, const QStringList& arguments)
{
    // A report is drawn with Qt's graphics, which need no display on the offscreen platform.
    std::unique_ptr<QCoreApplication> app;
    if (shell::commands::drawsReports(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Tervox"));
    QCoreApplication::setApplicationName(QStringLiteral("Barmond"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return shell::commands::run(arguments, {out, err});
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList arguments = ownArguments(argc, argv);
    if (shell::commands::namesCommand(arguments))
        return runCommand(argc, argv, arguments);

    // The command line is checked before any window system is needed.
    const shell::StartupParse parse = shell::parseStartup(arguments);
    if (!parse.ok()) {
        std::fprintf(stderr, "barmond: %s\n%s", qPrintable(parse.error), qPrintable(shell::startupUsage()));
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tervox"));
    QApplication::setApplicationName(QStringLiteral("Barmond"));
    QApplication::setWindowIcon(shell::programIcon());   // the default icon of every window

    ui::DesktopServices desktop;
    ui::QtPasswordPrompt passwords;
    shell::Program program(parse.options.dataDir, desktop.services(), passwords);
    const bool picture = !parse.options.screenshot.isEmpty();
    const bool started = program.start([&desktop, picture](shell::MainFrame& frame) {
        desktop.setParent(&frame);
        if (picture)
            frame.resize(1000, 700);
        frame.show();
    });
    if (!started)
        return 1;
    if (parse.options.demo) {
        QString report;
        const bool filled = program.fillSampleIfEmpty(report);
        std::fprintf(stderr, "barmond: %s\n", qPrintable(report));
        if (!filled)
            return 1;
    }
    if (!parse.options.language.isEmpty()) {
        global::glo().language = parse.options.language;
        program.frame().applyLanguageSetting();
    }

    if (!parse.options.screenshot.isEmpty()) {
        // Two browses open at once, side by side, and the window menu that lists them.
        auto* parameters = static_cast<settings::SetupParWindow*>(program.openParameters());
        parameters->highlight(QStringLiteral("GLO:Saw_Width"));
        program.openFieldMap();
        program.frame().tileVertically();
        int status = 0;
        QTimer::singleShot(500, &program.frame(), [&program, &status, file = parse.options.screenshot] {
            if (!shell::framePicture(program.frame(), QStringLiteral("windowsMenu")).save(file)) {
                std::fprintf(stderr, "barmond: cannot write %s\n", qPrintable(file));
                status = 1;
            }
            QApplication::quit();
        });
        app.exec();
        return status;
    }
    program.frame().showSplash(program.logoFile());
    if (parse.options.optimize) {
        const shell::OptimizeRequest request = *parse.options.optimize;
        QTimer::singleShot(0, &program.frame(), [&program, request] { program.openOptimizer(request); });
    }
    return app.exec();
}
