#include "ui/report/ReportFonts.h"

#include <QFontDatabase>
#include <QMutex>
#include <QStringList>

namespace ui::report {

QString reportFontFamily()
{
    static QMutex mutex;
    static QString family;
    const QMutexLocker lock(&mutex);
    if (!family.isEmpty())
        return family;
    for (const char* file : {":/ui/report/fonts/DejaVuSans.ttf", ":/ui/report/fonts/DejaVuSans-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (family.isEmpty() && !families.isEmpty())
            family = families.first();
    }
    if (family.isEmpty())
        family = QStringLiteral("DejaVu Sans");   // the system's copy, when the embedded one is missing
    return family;
}

} // namespace ui::report
