// Pictures of the optimizer window for the documentation: opens the window on a problem file,
// lets it compute, and saves what it shows.
//
//   kadrel-window-screenshot --problem FILE.json --output FILE.png [--language PL|EN] [--size 1280x800]
//
// Messages the run shows go to standard error. Exit status 0 when the picture was saved.

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "optimizer/ProblemFile.h"
#include "optimizer/gui/MakeOptimalCut.h"
#include "optimizer/gui/OptimizerWindow.h"
#include "ui/window/WindowContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QSignalSpy>
#include <QTimer>

#include <cstdio>

namespace {

// Messages are written out. Nobody is there to answer a question (the control time is off, so
// the run asks none): one is refused with its last button and no picture is made.
class PrintingDialogs : public global::Dialogs {
public:
    void message(const QString& text, const QString&) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    int ask(const QString& text, const QStringList& buttons, const QString&) override
    {
        std::fprintf(stderr, "%s [%s]: nobody can answer\n", qPrintable(text), qPrintable(buttons.join(QLatin1Char('|'))));
        asked = true;
        return qMax(0, int(buttons.size()) - 1);
    }
    bool asked = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("problem"), QStringLiteral("Problem file (JSON)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("output"), QStringLiteral("Picture to write (PNG)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("language"), QStringLiteral("PL or EN."), QStringLiteral("code"), QStringLiteral("PL")});
    parser.addOption({QStringLiteral("size"), QStringLiteral("Window size WIDTHxHEIGHT."), QStringLiteral("size"),
                      QStringLiteral("1280x800")});
    parser.addOption({QStringLiteral("mode"), QStringLiteral("Method instead of the problem file's."), QStringLiteral("n")});
    parser.addHelpOption();
    parser.process(app);
    if (!parser.isSet(QStringLiteral("problem")) || !parser.isSet(QStringLiteral("output"))) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }

    kadrel::ProblemFile problem;
    QString error;
    if (!kadrel::readProblemFile(parser.value(QStringLiteral("problem")), problem, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    global::glo().language = parser.value(QStringLiteral("language"));
    global::glo().sawWidth = problem.settings.sawWidth;
    global::glo().extTolerance = problem.settings.extTolerance;

    kadrel::ProblemFileInput input(problem);
    PrintingDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::SystemClock clock;
    kadrel::OptimizerCall call;
    call.profile = problem.profile.id;
    call.orderProfile = problem.call.orderProfile;
    call.selectedLengths = problem.call.selectedLengths;
    call.mode = problem.call.mode;
    if (parser.isSet(QStringLiteral("mode"))) {
        bool number = false;
        const uint mode = parser.value(QStringLiteral("mode")).toUInt(&number);
        if (!number || !kadrel::isKnownMode(mode)) {
            std::fprintf(stderr, "--mode: no optimizer method %s\n", qPrintable(parser.value(QStringLiteral("mode"))));
            return 2;
        }
        call.mode = static_cast<uint8_t>(mode);
    }
    call.status = problem.call.status;
    call.extensions = problem.call.extensions;
    call.extend = problem.call.extend;
    kadrel::RunSettings settings = kadrel::windowRunSettings();
    settings.controlTimeLimit = 10000;
    global::SystemIdentity identity;
    // The window reads the problem file; it keeps no layout and opens no database.
    global::Database noDatabase = global::Database::atFile(QStringLiteral("unused.db"));
    ui::WindowContext context{noDatabase, global::Services{dialogs, clipboard, clock, identity}};
    kadrel::OptimizerWindowCall windowCall(context, input, call, {}, settings);
    kadrel::OptimizerWindow& window = windowCall.window();
    const QStringList size = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
    if (size.size() == 2)
        window.resize(size[0].toInt(), size[1].toInt());
    QSignalSpy finished(&window, &kadrel::OptimizerWindow::calculationFinished);
    window.show();
    window.startCalculation();
    if (!finished.wait(120000) || !finished.first().first().toBool() || dialogs.asked) {
        std::fprintf(stderr, "The optimizer listed no solution.\n");
        return 1;
    }
    QTimer::singleShot(200, &app, &QApplication::quit);
    app.exec();
    if (!window.grab().save(parser.value(QStringLiteral("output")))) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(parser.value(QStringLiteral("output"))));
        return 1;
    }
    return 0;
}
