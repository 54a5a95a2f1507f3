// Pictures of the save window "Zapis transakcji magazynowej / polecenia cięcia" for the
// documentation: the window as it opens, with a description typed in.
//
//   kadrel-savecuts-screenshot --output FILE.png [--language PL|EN]

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "optimizer/gui/SaveCutsWindow.h"
#include "ui/form/RecordForm.h"
#include "ui/window/WindowContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("output"), QStringLiteral("Picture to write (PNG)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("language"), QStringLiteral("PL or EN."), QStringLiteral("code"), QStringLiteral("PL")});
    parser.addHelpOption();
    parser.process(app);
    if (!parser.isSet(QStringLiteral("output"))) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }
    const bool english = parser.value(QStringLiteral("language")).toUpper() == QLatin1String("EN");
    QTranslator window;
    QTranslator shared;
    if (english) {
        if (window.load(QStringLiteral(":/i18n/kadrel_window_en.qm")))
            QCoreApplication::installTranslator(&window);
        if (shared.load(QStringLiteral(":/i18n/ui_en.qm")))
            QCoreApplication::installTranslator(&shared);
    }

    // The window shows no records: it only needs the services (a Thursday, for its date preset).
    global::ScriptedDialogs dialogs;
    dialogs.planAnswers({0});   // leaving the window with a description typed in asks: yes
    global::MemoryClipboard clipboard;
    global::FixedClock clock(QDateTime(QDate(2026, 3, 12), QTime(9, 30)));
    global::FixedIdentity identity;
    global::Database noDatabase = global::Database::atFile(QStringLiteral("unused.db"));
    ui::WindowContext context{noDatabase, global::Services{dialogs, clipboard, clock, identity}};
    const kadrel::SolutionItemTable bars;
    const kadrel::SolutionSubitemTable pieces;
    const kadrel::Statistics statistics;
    kadrel::SaveCutsEditor editor(noDatabase, context.services, 1, bars, pieces, statistics, {});
    ui::RecordForm form(context, editor);
    form.setFieldText(kadrel::SaveCutsEditor::Description,
                      english ? QStringLiteral("Office facade B2 - stage I") : QStringLiteral("Fasada biurowca B2 - etap I"));
    form.show();
    QTimer::singleShot(200, &app, &QApplication::quit);
    app.exec();
    if (!form.grab().save(parser.value(QStringLiteral("output")))) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(parser.value(QStringLiteral("output"))));
        return 1;
    }
    return 0;
}
