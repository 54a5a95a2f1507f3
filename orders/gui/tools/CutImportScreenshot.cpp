// Pictures of the cut import window "Import listy odcinków" for the documentation: the window while
// a workbook of 20,000 rows is being read.
//
//   barmond-cutimport-screenshot --output FILE.png [--language PL|EN]

#include "orders/gui/CutImportWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
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
    QTranslator translator;
    if (parser.value(QStringLiteral("language")).toUpper() == QLatin1String("EN")
        && translator.load(QStringLiteral(":/i18n/orders_gui_en.qm")))
        QCoreApplication::installTranslator(&translator);

    orders::CutImportWindow window;
    window.setWorkbook(QStringLiteral("/dane/budowa-12/odcinki.xlsx"));
    window.show();
    window.start(QStringLiteral("Import listy odcinków"), 20000);
    window.advance(8600);
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();   // laid out and painted
    if (!window.grab().save(parser.value(QStringLiteral("output")))) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(parser.value(QStringLiteral("output"))));
        return 1;
    }
    return 0;
}
