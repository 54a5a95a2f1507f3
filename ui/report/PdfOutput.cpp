#include "ui/report/PdfOutput.h"

#include "ui/report/Report.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

namespace ui::report {

namespace {
constexpr int Resolution = 600;
}

bool PdfOutput::output(const Report& report, global::Progress& progress)
{
    error_.clear();
    pages_ = 0;
    const QString name = QDir::toNativeSeparators(filePath_);
    QSaveFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("Nie można zapisać pliku %1: %2").arg(name, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setTitle(report.title());
        writer.setCreator(QStringLiteral("Barmond"));
        QString error;
        if (!paintReport(report, writer, &progress, error, &pages_)) {
            file.cancelWriting();
            error_ = error;
            pages_ = 0;
            return false;
        }
    }
    if (!file.commit()) {
        error_ = QStringLiteral("Nie można zapisać pliku %1: %2").arg(name, file.errorString());
        pages_ = 0;
        return false;
    }
    return true;
}

} // namespace ui::report
