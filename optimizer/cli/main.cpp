// kadrel: the cutting optimizer's command line.
#include "optimizer/cli/Commands.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kadrel"));
    return kadrel::cli::dispatch(QCoreApplication::arguments().mid(1));
}
