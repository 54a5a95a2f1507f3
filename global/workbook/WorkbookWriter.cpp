#include "global/workbook/WorkbookWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cstdio>
#include <map>

namespace global {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("global::Workbook", text);
}

constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

// Writes every sheet into the open workbook; empty when done, else what went wrong.
// The formats of the number formats met so far, one per format code or built-in number.
class NumberFormats {
public:
    explicit NumberFormats(lxw_workbook* out) : out_(out) {}
    lxw_format* of(const WorkbookCell& cell)
    {
        if (cell.numberFormat.isEmpty() && cell.builtinFormat == 0)
            return nullptr;
        const QString key = cell.numberFormat.isEmpty() ? QString::number(cell.builtinFormat)
                                                        : QStringLiteral("'") + cell.numberFormat;
        const auto it = formats_.find(key);
        if (it != formats_.end())
            return it->second;
        lxw_format* format = workbook_add_format(out_);
        if (cell.numberFormat.isEmpty())
            format_set_num_format_index(format, uint8_t(cell.builtinFormat));
        else
            format_set_num_format(format, cell.numberFormat.toUtf8().constData());
        formats_.emplace(key, format);
        return format;
    }

private:
    lxw_workbook* out_;
    std::map<QString, lxw_format*> formats_;
};

QString writeSheets(lxw_workbook* out, const Workbook& book)
{
    NumberFormats numberFormats(out);
    for (int s = 0; s < book.sheetCount(); ++s) {
        const WorkbookSheet& sheet = book.sheet(s);
        const QByteArray name = sheet.name().toUtf8();
        lxw_worksheet* ws = workbook_add_worksheet(out, name.constData());
        if (!ws)
            return tr("Arkusz o nazwie \"%1\" nie może być zapisany.").arg(sheet.name());
        for (const auto& [column, width] : sheet.columnWidths()) {
            if (column < 1 || column > MaxColumns)
                continue;
            worksheet_set_column(ws, lxw_col_t(column - 1), lxw_col_t(column - 1), width, nullptr);
        }
        for (const auto& [row, cells] : sheet.rows()) {
            for (const auto& [column, cell] : cells) {
                if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
                    return tr("Komórka w wierszu %1, kolumnie %2 arkusza \"%3\" leży poza arkuszem.")
                        .arg(row).arg(column).arg(sheet.name());
                const lxw_row_t r = lxw_row_t(row - 1);
                const lxw_col_t c = lxw_col_t(column - 1);
                lxw_format* format = numberFormats.of(cell);
                lxw_error error = LXW_NO_ERROR;
                if (!cell.formula.isEmpty()) {
                    const QByteArray formula = cell.formula.toUtf8();
                    switch (cell.kind) {
                    case WorkbookCell::Kind::Number:
                        error = worksheet_write_formula_num(ws, r, c, formula.constData(), format, cell.number);
                        break;
                    case WorkbookCell::Kind::Text:
                        error = worksheet_write_formula_str(ws, r, c, formula.constData(), format,
                                                            cell.text.toUtf8().constData());
                        break;
                    case WorkbookCell::Kind::Boolean:
                        error = worksheet_write_formula_num(ws, r, c, formula.constData(), format,
                                                            cell.boolean ? 1 : 0);
                        break;
                    case WorkbookCell::Kind::Empty:
                        error = worksheet_write_formula_str(ws, r, c, formula.constData(), format, "");
                        break;
                    }
                } else {
                    switch (cell.kind) {
                    case WorkbookCell::Kind::Text:
                        error = worksheet_write_string(ws, r, c, cell.text.toUtf8().constData(), format);
                        break;
                    case WorkbookCell::Kind::Number:
                        error = worksheet_write_number(ws, r, c, cell.number, format);
                        break;
                    case WorkbookCell::Kind::Boolean:
                        error = worksheet_write_boolean(ws, r, c, cell.boolean, format);
                        break;
                    case WorkbookCell::Kind::Empty: break;
                    }
                }
                if (error != LXW_NO_ERROR)
                    return tr("Komórka w wierszu %1, kolumnie %2 arkusza \"%3\" nie może być zapisana: %4")
                        .arg(row).arg(column).arg(sheet.name(), QString::fromUtf8(lxw_strerror(error)));
            }
        }
        if (s == book.activeSheetIndex())
            worksheet_activate(ws);
    }
    return {};
}

} // namespace

QString workbookBackupName(const QString& path)
{
    return path + QStringLiteral(".bak");
}

QString writeWorkbook(const Workbook& book, const QString& path)
{
    if (book.sheetCount() == 0)
        return tr("Skoroszyt bez arkuszy nie może być zapisany.");
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                             + QStringLiteral("-XXXXXX"));
    if (!temporary.open())
        return tr("Nie można utworzyć pliku tymczasowego w folderze %1.").arg(target.absolutePath());
    const QString temporaryName = temporary.fileName();
    temporary.close();

    const QByteArray localName = QFile::encodeName(temporaryName);
    lxw_workbook* out = workbook_new(localName.constData());
    if (!out)
        return tr("Nie można utworzyć skoroszytu %1.").arg(temporaryName);
    QString failure = writeSheets(out, book);
    const lxw_error closed = workbook_close(out);  // frees the workbook also after a failure
    if (failure.isEmpty() && closed != LXW_NO_ERROR)
        failure = tr("Skoroszyt %1 nie został zapisany: %2").arg(path, QString::fromUtf8(lxw_strerror(closed)));
    if (!failure.isEmpty())
        return failure;  // the temporary file goes with `temporary`

    // The temporary file is the owner's alone; the workbook keeps the permissions it had, a new
    // one gets those of a file made in the ordinary way.
    const QFileDevice::Permissions permissions =
        target.exists() ? QFile::permissions(path)
                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                              QFileDevice::ReadOther;
    if (!QFile::setPermissions(temporaryName, permissions))
        return tr("Nie można ustawić uprawnień pliku %1.").arg(temporaryName);
    if (target.exists()) {
        const QString backup = workbookBackupName(path);
        if (QFile::exists(backup) && !QFile::remove(backup))
            return tr("Nie można usunąć poprzedniej kopii %1.").arg(backup);
        if (!QFile::copy(path, backup))
            return tr("Nie można zachować kopii %1.").arg(backup);
    }
    if (std::rename(localName.constData(), QFile::encodeName(path).constData()) != 0)
        return tr("Nie można zastąpić pliku %1.").arg(path);
    temporary.setAutoRemove(false);
    return {};
}

} // namespace global
