// kadrel: the cutting optimizer's command line.
#include "optimizer/cli/Commands.h"
#include "optimizer/cli/PrintCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Reports are drawn with Qt's graphics, which need no display on the offscreen platform.
    std::unique_ptr<QCoreApplication> app;
    if (kadrel::cli::drawsReports(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("kadrel"));
    return kadrel::cli::dispatch(QCoreApplication::arguments().mid(1));
}
