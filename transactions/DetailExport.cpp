#include "transactions/DetailExport.h"

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"
#include "global/WholeNumber.h"
#include "global/workbook/Workbook.h"
#include "global/workbook/WorkbookReader.h"
#include "global/workbook/WorkbookWriter.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

using namespace global;

namespace transactions {

namespace {

const QString OrdersSheet = QStringLiteral("CutingOrders");
const QString BarsSheet = QStringLiteral("Profiles");
const QString PiecesSheet = QStringLiteral("Cuts");

const QStringList OrdersHeader{
    QStringLiteral("No"), QStringLiteral("Profile type"), QStringLiteral("Prof. weigth [kg/m]"),
    QStringLiteral("Description"), QStringLiteral("Cons. [pcs]"), QStringLiteral("Cons. [m]"),
    QStringLiteral("Cons. [kg]"), QStringLiteral("Cuts [pcs]"), QStringLiteral("Cuts [m]"),
    QStringLiteral("Cuts [kg]"), QStringLiteral("Remnant [pcs]"), QStringLiteral("Remnant [m]"),
    QStringLiteral("Remnant [kg]"), QStringLiteral("Scrap [m]"), QStringLiteral("Scrap [kg]"),
    QStringLiteral("Filings [kg]"), QStringLiteral("Operator"), QStringLiteral("PC"), QStringLiteral("Prod. date")};
const QStringList BarsHeader{
    QStringLiteral("No"), QStringLiteral("Profile type"), QStringLiteral("Profile No"), QStringLiteral("Internal No"),
    QStringLiteral("Heat no."), QStringLiteral("Profile_Lenght"), QStringLiteral("Cutlenghts"),
    QStringLiteral("Remnant"), QStringLiteral("Scrap")};
const QStringList PiecesHeader{
    QStringLiteral("No"), QStringLiteral("Profile type"), QStringLiteral("Profile No"), QStringLiteral("Internal No"),
    QStringLiteral("Heat no."), QStringLiteral("CutLenght"), QStringLiteral("Order"), QStringLiteral("Code"),
    QStringLiteral("Descr_1"), QStringLiteral("Descr_2")};

constexpr int FirstColumn = 2;   // every sheet starts in column B
constexpr int HeaderRow = 2;
constexpr int FirstDataRow = 3;
constexpr int OperatorColumn = 18;

const QString Unchanged = QStringLiteral("Plik nie został zmieniony.");

// The answers to the question about a cutting order already in the workbook, in button order.
enum DuplicateAnswer { Skip, Add, SkipAll, AddAll, Abort };

void writeHeaderWhenMissing(WorkbookSheet& sheet, const QStringList& header)
{
    if (sheet.cellText(HeaderRow, FirstColumn) == header.first())
        return;
    for (int i = 0; i < header.size(); ++i)
        sheet.setText(HeaderRow, FirstColumn + i, header[i]);
}

// The row after the last used one: rows below a gap are kept, never written over.
int firstFreeRow(const WorkbookSheet& sheet)
{
    return std::max(FirstDataRow, sheet.lastUsedRow() + 1);
}

// Weights go with two decimals.
void setWeight(WorkbookSheet& sheet, int row, int column, double kilograms)
{
    WorkbookCell cell = WorkbookCell::ofNumber(std::round(kilograms * 100) / 100);
    cell.numberFormat = QStringLiteral("0.00");
    sheet.setCell(row, column, cell);
}

class DetailExport {
public:
    DetailExport(Database& db, Services& services, const QList<uint32_t>& cuttingOrders, const QString& file)
        : db_(db), services_(services), selected_(cuttingOrders.begin(), cuttingOrders.end())
    {
        result_.file = file;
    }

    DetailExportResult run()
    {
        struct Finish {
            Progress& progress;
            ~Finish() { progress.finish(); }
        } finish{services_.progress};
        services_.progress.start(QStringLiteral("Ustawianie"), 0);

        if (!openWorkbook())
            return result_;
        // The three sheets first: adding a sheet moves the others in memory.
        sheetFor(OrdersSheet);
        sheetFor(BarsSheet);
        sheetFor(PiecesSheet);
        WorkbookSheet& orders = *book_.sheetNamed(OrdersSheet);
        WorkbookSheet& bars = *book_.sheetNamed(BarsSheet);
        WorkbookSheet& pieces = *book_.sheetNamed(PiecesSheet);

        services_.progress.start(QStringLiteral("Zlecenia"), 0);
        writeHeaderWhenMissing(orders, OrdersHeader);
        if (!settleDuplicates(orders) || !addOrderRows(orders))
            return result_;
        services_.progress.start(QStringLiteral("Profile"), 0);
        writeHeaderWhenMissing(bars, BarsHeader);
        if (!addBarRows(bars))
            return result_;
        services_.progress.start(QStringLiteral("Odcinki"), 0);
        writeHeaderWhenMissing(pieces, PiecesHeader);
        if (!addPieceRows(pieces))
            return result_;

        const QString failure = writeWorkbook(book_, result_.file);
        if (!failure.isEmpty())
            return fail(failure + QStringLiteral("|") + Unchanged);
        result_.cuttingOrders = QList<uint32_t>(selected_.begin(), selected_.end());
        result_.done = true;
        return result_;
    }

private:
    DetailExportResult fail(const QString& text)
    {
        services_.dialogs.message(text);
        return result_;
    }

    bool refuse(const QString& text)
    {
        services_.dialogs.message(text);
        return false;
    }

    bool openWorkbook()
    {
        if (QFileInfo(result_.file).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0)
            return refuse(QStringLiteral("Eksport zapisuje skoroszyty .xlsx; plik %1 nim nie jest.|Wybierz plik "
                                         "z rozszerzeniem .xlsx.")
                              .arg(result_.file));
        if (!QFileInfo::exists(result_.file))
            return true;  // a new workbook
        WorkbookReading reading = readWorkbook(result_.file);
        if (!reading.workbook)
            return refuse(reading.refusal + QStringLiteral("||") + Unchanged +
                          QStringLiteral(" Dane można wyeksportować do nowego pliku."));
        if (!reading.notCarried.isEmpty())
            return refuse(QStringLiteral("Skoroszyt %1 zawiera: %2.|Zapisanie w nim danych usunęłoby je z pliku.||")
                              .arg(result_.file, reading.notCarried.join(QStringLiteral(", "))) +
                          Unchanged + QStringLiteral(" Dane można wyeksportować do nowego pliku."));
        book_ = std::move(*reading.workbook);
        return true;
    }

    void sheetFor(const QString& name)
    {
        if (!book_.sheetNamed(name))
            book_.addSheet(name);
    }

    // Every written row advances the progress; false once the operator has cancelled.
    bool rowWritten()
    {
        if (services_.progress.advance(++rowsWritten_))
            return true;
        return refuse(QStringLiteral("Eksport przerwany.|") + Unchanged);
    }

    // The cutting order, read once; false after the message when it cannot be read.
    bool cuttingOrder(uint32_t id, StockTransRecord*& out)
    {
        auto it = orders_.find(id);
        if (it == orders_.end()) {
            Table<StockTransRecord> table(db_);
            StockTransRecord order;
            order.id = id;
            if (const int code = table.fetch(Table<StockTransRecord>::Auto, order); code != 0)
                return refuse(QStringLiteral("Error no. %1 Selected cutting order no %2 does not exist in the database")
                                  .arg(code)
                                  .arg(id));
            it = orders_.emplace(id, order).first;
        }
        out = &it->second;
        return true;
    }

    // A cutting order of this export already in the workbook, by the same operator, is skipped or
    // added again as the operator answers. Every row is looked at, also below gaps.
    bool settleDuplicates(const WorkbookSheet& orders)
    {
        int standing = -1;
        for (const auto& [row, cells] : orders.rows()) {
            if (row < FirstDataRow)
                continue;
            const std::optional<uint64_t> number = readWholeNumber(orders.cellText(row, FirstColumn), 0xFFFFFFFFu);
            if (!number || !selected_.count(uint32_t(*number)))
                continue;
            const uint32_t id = uint32_t(*number);
            StockTransRecord* order = nullptr;
            if (!cuttingOrder(id, order))
                return false;
            if (orders.cellText(row, OperatorColumn).trimmed() != order->operatorCreated.trimmed())
                continue;
            int answer = standing;
            if (answer < 0) {
                answer = services_.dialogs.ask(
                    QStringLiteral("Polecenie cięcia numer %1 jest już zapisane w arkuszu w linii numer %2. "
                                   "Czy kontynuować eksport?")
                        .arg(id)
                        .arg(row),
                    {QStringLiteral("Pomiń"), QStringLiteral("Dodaj"), QStringLiteral("Pomiń wszystkie"),
                     QStringLiteral("Dodaj wszystkie"), QStringLiteral("Przerwij")});
                if (answer == SkipAll || answer == AddAll)
                    standing = answer;
            }
            switch (answer) {
            case Skip:
            case SkipAll: selected_.erase(id); break;
            case Add:
            case AddAll: break;
            default: return false;  // "Przerwij": nothing is written
            }
        }
        return true;
    }

    bool addOrderRows(WorkbookSheet& sheet)
    {
        int row = firstFreeRow(sheet);
        Table<ProfileRecord> profiles(db_);
        for (const uint32_t id : selected_) {
            StockTransRecord* order = nullptr;
            if (!cuttingOrder(id, order))
                return false;
            ProfileRecord profile;
            profile.id = order->profileId;
            double weight = 0;  // a profile no longer in the catalogue weighs nothing
            if (const int code = profiles.fetch(Table<ProfileRecord>::Auto, profile); code == 0)
                weight = profile.weight;
            else if (code != err::RecordNotFound)
                return refuse(QStringLiteral("Error after GET for PROFILES table. ErrorCode = %1").arg(code));
            const StockTransRecord& o = *order;
            sheet.setNumber(row, 2, o.id);
            sheet.setText(row, 3, o.profileCode);
            setWeight(sheet, row, 4, weight);
            sheet.setText(row, 5, o.documentDescr);
            sheet.setNumber(row, 6, o.totalProfilesPcs);
            sheet.setNumber(row, 7, o.totalLenght);
            setWeight(sheet, row, 8, o.totalLenght * weight);
            sheet.setNumber(row, 9, o.totalCutPcs);
            sheet.setNumber(row, 10, o.totalCutLengts);
            setWeight(sheet, row, 11, o.totalCutLengts * weight);
            sheet.setNumber(row, 12, o.totelRemnantPcs);
            sheet.setNumber(row, 13, o.totalRemnant);
            setWeight(sheet, row, 14, o.totalRemnant * weight);
            sheet.setNumber(row, 15, o.totalScrap);
            setWeight(sheet, row, 16, o.totalScrap * weight);
            // what the saw turned into filings
            setWeight(sheet, row, 17, (o.totalLenght - o.totalCutLengts - o.totalRemnant - o.totalScrap) * weight);
            sheet.setText(row, 18, o.operatorCreated);
            sheet.setText(row, 19, o.computerCreated);
            if (o.productionDate.isValid())
                sheet.setCell(row, 20, WorkbookCell::ofDate(o.productionDate.year(), o.productionDate.month(),
                                                            o.productionDate.day()));
            ++row;
            if (!rowWritten())
                return false;
        }
        return true;
    }

    // The bars of each cutting order by length, then identifier, numbered 1, 2, ... in that order.
    bool addBarRows(WorkbookSheet& sheet)
    {
        int row = firstFreeRow(sheet);
        Table<StockTransItemRecord> items(db_);
        for (const uint32_t id : selected_) {
            StockTransRecord* order = nullptr;
            if (!cuttingOrder(id, order))
                return false;
            StockTransItemRecord prefix;
            prefix.idTrans = id;
            QList<StockTransItemRecord> bars = items.rows(Table<StockTransItemRecord>::ByTransLenghtId, prefix, 1);
            if (items.errorCode() != 0)
                return refuse(QStringLiteral("ErrorCode no: %1 after NEXT for STOCK_TRANS_ITEMS.").arg(items.errorCode()));
            std::sort(bars.begin(), bars.end(), [](const StockTransItemRecord& a, const StockTransItemRecord& b) {
                return a.profileLenght != b.profileLenght ? a.profileLenght < b.profileLenght : a.id < b.id;
            });
            uint32_t runningNumber = 0;
            for (const StockTransItemRecord& bar : bars) {
                barNumbers_[bar.id] = ++runningNumber;
                heatNumbers_[bar.id] = bar.heatNumber;
                sheet.setNumber(row, 2, bar.idTrans);
                sheet.setText(row, 3, order->profileCode);
                sheet.setNumber(row, 4, runningNumber);
                sheet.setNumber(row, 5, bar.id);
                sheet.setText(row, 6, bar.heatNumber);
                sheet.setNumber(row, 7, bar.profileLenght);
                sheet.setNumber(row, 8, bar.cutlenghts);
                // the leftover goes back to stock as a remnant, or is scrap
                sheet.setNumber(row, bar.remnantId > 0 ? 9 : 10, bar.scrap);
                ++row;
                ++result_.bars;
                if (!rowWritten())
                    return false;
            }
        }
        return true;
    }

    bool addPieceRows(WorkbookSheet& sheet)
    {
        int row = firstFreeRow(sheet);
        Table<StockTransSubitemRecord> subitems(db_);
        for (const uint32_t id : selected_) {
            StockTransRecord* order = nullptr;
            if (!cuttingOrder(id, order))
                return false;
            StockTransSubitemRecord prefix;
            prefix.idTrans = id;
            const QList<StockTransSubitemRecord> pieces =
                subitems.rows(Table<StockTransSubitemRecord>::ByItem, prefix, 1);
            if (subitems.errorCode() != 0)
                return refuse(
                    QStringLiteral("ErrorCode no: %1 after NEXT for STOCK_TRANS_SUBITEMS.").arg(subitems.errorCode()));
            for (const StockTransSubitemRecord& piece : pieces) {
                const auto number = barNumbers_.find(piece.idTransitem);
                sheet.setNumber(row, 2, piece.idTrans);
                sheet.setText(row, 3, order->profileCode);
                sheet.setNumber(row, 4, number == barNumbers_.end() ? 0 : number->second);
                sheet.setNumber(row, 5, piece.idTransitem);
                sheet.setText(row, 6, heatNumbers_.value(piece.idTransitem));
                sheet.setNumber(row, 7, piece.cutlenght);
                sheet.setText(row, 8, piece.order);
                sheet.setText(row, 9, piece.code);
                sheet.setText(row, 10, piece.descr1);
                sheet.setText(row, 11, piece.descr2);
                ++row;
                ++result_.pieces;
                if (!rowWritten())
                    return false;
            }
        }
        return true;
    }

    Database& db_;
    Services& services_;
    std::set<uint32_t> selected_;
    Workbook book_;
    DetailExportResult result_;
    std::map<uint32_t, StockTransRecord> orders_;
    std::map<uint32_t, uint32_t> barNumbers_;   // bar identifier -> running number in its cutting order
    QHash<uint32_t, QString> heatNumbers_;      // bar identifier -> heat number
    qint64 rowsWritten_ = 0;
};

} // namespace

DetailExportResult exportCuttingOrderDetails(Database& db, Services& services, const QList<uint32_t>& cuttingOrders,
                                             const QString& file)
{
    if (cuttingOrders.isEmpty()) {
        services.dialogs.message(QStringLiteral("Nie wybrano żadnego polecenia cięcia do eksportu."));
        DetailExportResult nothing;
        nothing.file = file;
        return nothing;
    }
    return DetailExport(db, services, cuttingOrders, file).run();
}

DetailExportResult excelDetailExport(Database& db, Services& services, const QList<uint32_t>& taggedCuttingOrders)
{
    QString file = services.files.saveFile(QStringLiteral("Wybierz plik do eksportu danych"),
                                           services.userValues.value(ExportFileValueName),
                                           QStringLiteral("Excel (*.xlsx)"));
    if (file.isEmpty())
        return {};
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".xlsx");
    if (!services.userValues.setValue(ExportFileValueName, file))
        services.dialogs.message(QStringLiteral("Nie udało się zapamiętać nazwy pliku %1.").arg(file));
    return exportCuttingOrderDetails(db, services, taggedCuttingOrders, file);
}

} // namespace transactions
