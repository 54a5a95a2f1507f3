#include "orders/OrderPrint.h"

#include "global/Statuses.h"
#include "global/Table.h"
#include "ui/report/Logo.h"
#include "ui/report/Report.h"
#include "ui/report/ReportOutput.h"

#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <memory>

namespace orders {

using global::CutStatus;
using global::err::NoMoreRecords;
using global::err::RecordNotFound;
using ui::report::Align;
using ui::report::Band;
using ui::report::PageInfo;
using ui::report::TextStyle;

QString orderStatusText(uint16_t status)
{
    switch (status) {
    case 0: return QStringLiteral("Nowe");
    case 1: return QStringLiteral("Zatwierdzone");
    case 3: return QStringLiteral("Zamknięte");
    default: return {};
    }
}

QString cutStatusLetter(uint16_t status)
{
    static const char* const letters[] = {"N", "Z", "P", "G", "A"};
    return status < 5 ? QString::fromLatin1(letters[status]) : QString();
}

namespace {

// A piece's description: its code and both descriptions, trimmed and joined by single spaces; the
// profile's description when all three are empty.
QString pieceDescription(const global::CutRecord& cut, const global::ProfileRecord& profile)
{
    QString text;
    for (const QString& part : {cut.code, cut.description1, cut.description2}) {
        const QString trimmed = part.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += trimmed;
    }
    return text.isEmpty() ? profile.descr.trimmed() : text;
}

void addNet(OrderPrintTotals& totals, const OrderPrintLine& line)
{
    totals.pcs += line.pcs;
    totals.totalLenght += line.totalLenght;
    totals.weight += line.weight;
}

void addGross(OrderPrintTotals& totals, const OrderPrintLine& line)
{
    totals.brutLenght += line.brutLenght;
    totals.brutWeight += line.brutWeight;
    totals.weightWithGross += line.weight;
}

// The scrap share of a gross amount over the net amount it was cut for; 0 when the gross amount
// is at most the threshold, never negative.
double scrapShare(double gross, double net, double threshold)
{
    if (gross <= threshold)
        return 0;
    return std::max(0.0, (gross - net) / gross * 100);
}

// The stored cutting order that cut the piece and its scrap share, looked up by the first sub-item
// of the piece. found is false when there is none (or its transaction is missing). 0 or the table
// error of a read that failed.
int cuttingOrderScrap(global::Database& db, uint32_t cutId, bool& found, double& scrap, QString& error)
{
    found = false;
    global::Table<global::StockTransSubitemRecord> subitems(db);
    global::StockTransSubitemRecord subitem;
    subitem.cutlenghtId = cutId;
    subitems.set(global::Table<global::StockTransSubitemRecord>::ByCut, subitem, 1);
    int code = subitems.next(subitem);
    if (code == NoMoreRecords || (code == 0 && subitem.cutlenghtId != cutId))
        return 0;
    if (code != 0) {
        error = QStringLiteral("System Error after NEXT for STOCK_TRANS_SUBITEMS table. ErrorCode = %1").arg(code);
        return code;
    }
    global::Table<global::StockTransRecord> transactions(db);
    global::StockTransRecord transaction;
    transaction.id = subitem.idTrans;
    code = transactions.fetch(global::Table<global::StockTransRecord>::Auto, transaction);
    if (code == RecordNotFound)
        return 0;
    if (code != 0) {
        error = QStringLiteral("System Error after GET for STOCK_TRANS table. ErrorCode = %1").arg(code);
        return code;
    }
    found = true;
    scrap = transaction.obsoleteScrapPerc;
    return 0;
}

// The lines of one position and its totals; the order's totals grow with them.
int readPosition(global::Database& db, const global::OrderProfileRecord& position, OrderPrint& print,
                 OrderPrintPosition& out, QString& error)
{
    global::ProfileRecord profile;
    profile.id = position.profileId;
    global::Table<global::ProfileRecord> profiles(db);
    int code = profiles.fetch(global::Table<global::ProfileRecord>::Auto, profile);
    if (code == RecordNotFound) {
        profile = global::ProfileRecord{};   // the lines print with no weight
    } else if (code != 0) {
        error = QStringLiteral("System Error after GET for PROFILES table. ErrorCode = %1").arg(code);
        return code;
    }
    if (profile.weight < 0.01)
        print.weightsMeaningful = false;
    const double perMetre = profile.inCentimetres() ? 100.0 : 1000.0;

    out.profileCode = position.profileCode;
    global::Table<global::CutRecord> cuts(db);
    global::CutRecord cut;
    cut.orderId = position.orderId;
    cut.orderProfileId = position.id;
    cuts.set(global::Table<global::CutRecord>::ByOrderProfile, cut, 2);
    while (true) {
        code = cuts.next(cut);
        if (code == NoMoreRecords)
            break;
        if (code != 0) {
            error = QStringLiteral("System Error after NEXT for CUTS table. ErrorCode = %1").arg(code);
            return code;
        }
        if (cut.orderId != position.orderId || cut.orderProfileId != position.id)
            break;
        OrderPrintLine line;
        line.profile = out.lines.empty() ? position.profileCode : QString();
        line.lenght = cut.lenght;
        line.pcs = cut.pcs;
        line.status = cutStatusLetter(cut.status);
        line.totalLenght = double(cut.pcs) * double(cut.lenght) / perMetre;
        line.weight = line.totalLenght * profile.weight;
        line.opis = pieceDescription(cut, profile);
        if (cut.status == CutStatus::New) {
            out.everyLineHasCuttingOrder = false;
            addNet(out.totals, line);
            addNet(print.total, line);
        } else if (cut.status == CutStatus::Abandoned) {
            out.everyLineHasCuttingOrder = false;   // printed, counted in no total
        } else {
            addNet(out.totals, line);
            addNet(print.total, line);
            if (cut.status == CutStatus::Cut)
                addNet(print.made, line);
            bool found = false;
            double scrap = 0;
            code = cuttingOrderScrap(db, cut.id, found, scrap, error);
            if (code != 0)
                return code;
            // A share of 100 % or more leaves no net part to grow into a gross one.
            if (found && scrap < 100) {
                line.scrap = scrap;
                line.brutLenght = line.totalLenght / (1 - scrap / 100);
                line.brutWeight = line.weight / (1 - scrap / 100);
                addGross(out.totals, line);
                addGross(print.total, line);
                if (cut.status == CutStatus::Cut)
                    addGross(print.made, line);
            } else {
                out.everyLineHasCuttingOrder = false;
            }
        }
        out.lines.push_back(line);
    }
    if (out.hasSubtotal()) {
        if (out.everyLineHasCuttingOrder)
            out.totals.scrap = scrapShare(out.totals.brutLenght, out.totals.totalLenght, 0);
        else
            print.somePositionLacksCuttingOrder = true;
    }
    return 0;
}

} // namespace

int buildOrderPrint(global::Database& db, const global::Services& services, uint32_t orderId, OrderPrint& print,
                    QString& error)
{
    print = OrderPrint{};
    global::Table<global::OrderRecord> orders(db);
    print.order.id = orderId;
    int code = orders.fetch(global::Table<global::OrderRecord>::Auto, print.order);
    if (code != 0) {
        error = QStringLiteral("Systemowy błąd odwołania do zamówienia. Numer błędu = %1").arg(code);
        return code;
    }
    print.statusText = orderStatusText(print.order.status);
    print.printedAt = services.clock.now();
    print.operatorName = services.identity.userName();
    print.computerName = services.identity.computerName();

    global::Table<global::OrderProfileRecord> positions(db);
    global::OrderProfileRecord position;
    position.orderId = orderId;
    const qint64 steps = positions.count(global::Table<global::OrderProfileRecord>::ByOrderCode, position, 1);
    services.progress.start(QStringLiteral("Progress..."), steps);
    positions.set(global::Table<global::OrderProfileRecord>::ByOrderCode, position, 1);
    qint64 done = 0;
    while (true) {
        code = positions.next(position);
        if (code == NoMoreRecords || (code == 0 && position.orderId != orderId))
            break;
        if (code != 0) {
            error = QStringLiteral("System Error after NEXT Profile in Order. ErrorCode = %1").arg(code);
            services.progress.finish();
            return code;
        }
        OrderPrintPosition printed;
        code = readPosition(db, position, print, printed, error);
        if (code != 0) {
            services.progress.finish();
            return code;
        }
        print.positions.push_back(std::move(printed));
        if (!services.progress.advance(++done)) {
            services.progress.finish();
            error.clear();
            return -1;
        }
    }
    services.progress.finish();

    // The order's scrap share is taken over the pieces that have a cutting order only, so that
    // pieces still waiting for one never make it negative.
    if (!print.weightsMeaningful) {
        for (OrderPrintTotals* totals : {&print.total, &print.made}) {
            totals->weight = 0;
            totals->brutWeight = 0;
            totals->scrap = 0;
        }
    } else {
        print.total.scrap = scrapShare(print.total.brutWeight, print.total.weightWithGross, 0.001);
        print.made.scrap = scrapShare(print.made.brutWeight, print.made.weightWithGross, 0.01);
    }
    return 0;
}

namespace {

constexpr double PageWidth = 270;

// The columns of a line, left to right.
struct Column {
    double x;
    double width;
    Align align;
};
constexpr Column ProfileColumn{0, 42, Align::Left};
constexpr Column LengthColumn{42, 16, Align::Right};
constexpr Column PcsColumn{59, 13, Align::Right};
constexpr Column StatusColumn{73, 7, Align::Center};
constexpr Column TotalLengthColumn{81, 22, Align::Right};
constexpr Column WeightColumn{104, 20, Align::Right};
constexpr Column BrutLengthColumn{125, 24, Align::Right};
constexpr Column ScrapColumn{150, 17, Align::Right};
constexpr Column BrutWeightColumn{168, 22, Align::Right};
constexpr Column DescriptionColumn{193, PageWidth - 193, Align::Left};

TextStyle style(double points, bool bold = false, Align align = Align::Left)
{
    return TextStyle{points, bold, align, false};
}

void cell(Band& band, const Column& column, double top, double height, const QString& text, double points,
          bool bold = false)
{
    band.text({column.x, top, column.width, height}, text, style(points, bold, column.align));
}

class Layout : public std::enable_shared_from_this<Layout> {
public:
    Layout(const OrderPrint& print, const QString& logoFile) : print_(print), logo_(ui::report::readLogo(logoFile))
    {
        locale_.setNumberOptions(QLocale::OmitGroupSeparator);
    }

    ui::report::Report report() const
    {
        ui::report::Report report(QStringLiteral("Zlecenie numer: %1").arg(print_.order.number));
        const std::shared_ptr<const Layout> self = shared_from_this();
        report.setPageHeader([self](const PageInfo&) { return self->pageHeader(); });
        report.setPageFooter([self](const PageInfo& page) { return self->pageFooter(page); });
        for (const OrderPrintPosition& position : print_.positions) {
            std::vector<Band> lines;
            for (const OrderPrintLine& line : position.lines)
                lines.push_back(lineBand(line));
            Band subtotal;
            if (position.hasSubtotal())
                subtotal = totalsBand(QStringLiteral("Suma dla profila"), position.totals, false);
            report.addGroup(Band(), lines, subtotal);
        }
        report.addBand(totalsBand(QStringLiteral("Suma dla zamówienia"), print_.total, true));
        if (print_.anyCut())
            report.addBand(totalsBand(QStringLiteral("Z tego wycięto"), print_.made, true));
        return report;
    }

private:
    // Two decimals, blank when zero.
    QString number(double value) const
    {
        const QString text = locale_.toString(value, 'f', 2);
        return value == 0 || text == locale_.toString(0.0, 'f', 2) || text == locale_.toString(-0.0, 'f', 2) ? QString()
                                                                                                             : text;
    }
    QString percent(double value) const
    {
        const QString text = number(value);
        return text.isEmpty() ? text : text + QStringLiteral(" %");
    }
    static QString count(uint32_t value) { return value == 0 ? QString() : QString::number(value); }

    Band pageHeader() const
    {
        Band band(33);
        if (!logo_.isNull())
            band.image(ui::report::headerLogoPlace(logo_.width(), logo_.height()), logo_);
        band.text({0, 1, 150, 7}, QStringLiteral("Zlecenie numer: %1").arg(print_.order.number), style(13, true));
        band.text({0, 8.5, 18, 4.5}, QStringLiteral("Status:"), style(8));
        band.text({18, 8.5, 60, 4.5}, print_.statusText, style(8, true));
        band.text({0, 13, 18, 4.5}, QStringLiteral("Klient:"), style(8));
        band.text({18, 13, 140, 4.5}, print_.order.customer, style(8, true));
        band.text({0, 17.5, 18, 4.5}, QStringLiteral("Projekt:"), style(8));
        band.text({18, 17.5, 70, 4.5}, print_.order.project, style(8, true));
        band.text({90, 17.5, 12, 4.5}, QStringLiteral("Etap:"), style(8));
        band.text({102, 17.5, 56, 4.5}, print_.order.etap, style(8, true));
        band.line({0, 22.5}, {PageWidth, 22.5}, 0.3);
        const double top = 23;
        cell(band, ProfileColumn, top, 4.5, QStringLiteral("Kod profila"), 7, true);
        cell(band, LengthColumn, top, 4.5, QStringLiteral("Długość"), 7, true);
        cell(band, PcsColumn, top, 4.5, QStringLiteral("Ilość"), 7, true);
        cell(band, StatusColumn, top, 4.5, QStringLiteral("St."), 7, true);
        cell(band, TotalLengthColumn, top, 4.5, QStringLiteral("Długość całk."), 7, true);
        cell(band, WeightColumn, top, 4.5, QStringLiteral("Waga"), 7, true);
        cell(band, BrutLengthColumn, top, 4.5, QStringLiteral("Długość brutto"), 7, true);
        cell(band, ScrapColumn, top, 4.5, QStringLiteral("Odpad"), 7, true);
        cell(band, BrutWeightColumn, top, 4.5, QStringLiteral("Waga brutto"), 7, true);
        cell(band, DescriptionColumn, top, 4.5, QStringLiteral("Opis"), 7, true);
        const double units = 27;
        cell(band, PcsColumn, units, 4, QStringLiteral("[ szt ]"), 6.5);
        cell(band, TotalLengthColumn, units, 4, QStringLiteral("[ mb ]"), 6.5);
        cell(band, WeightColumn, units, 4, QStringLiteral("[ kg ]"), 6.5);
        cell(band, BrutLengthColumn, units, 4, QStringLiteral("[ mb ]"), 6.5);
        cell(band, BrutWeightColumn, units, 4, QStringLiteral("[ kg ]"), 6.5);
        band.line({0, 31.5}, {PageWidth, 31.5}, 0.3);
        return band;
    }

    Band pageFooter(const PageInfo& page) const
    {
        Band band(6);
        band.line({0, 0.5}, {PageWidth, 0.5});
        const QString text =
            QStringList{QStringLiteral("Wydrukowane dnia: ") + print_.printedAt.date().toString(QStringLiteral("yyyy-MM-dd")),
                        QStringLiteral("godz: ") + print_.printedAt.time().toString(QStringLiteral("HH:mm")),
                        QStringLiteral("Strona: ") + QString::number(page.page),
                        QStringLiteral("Operator: ") + print_.operatorName, QStringLiteral("PC: ") + print_.computerName}
                .join(QStringLiteral("     "));
        band.text({0, 1.5, PageWidth, 4}, text, style(7));
        return band;
    }

    Band lineBand(const OrderPrintLine& line) const
    {
        constexpr double Height = 4.3;
        Band band(Height);
        cell(band, ProfileColumn, 0, Height, line.profile, 7.5, true);
        cell(band, LengthColumn, 0, Height, QString::number(line.lenght), 7.5);
        cell(band, PcsColumn, 0, Height, QString::number(line.pcs), 7.5);
        cell(band, StatusColumn, 0, Height, line.status, 7.5);
        cell(band, TotalLengthColumn, 0, Height, number(line.totalLenght), 7.5);
        cell(band, WeightColumn, 0, Height, number(line.weight), 7.5);
        cell(band, BrutLengthColumn, 0, Height, number(line.brutLenght), 7.5);
        cell(band, ScrapColumn, 0, Height, percent(line.scrap), 7.5);
        cell(band, BrutWeightColumn, 0, Height, number(line.brutWeight), 7.5);
        cell(band, DescriptionColumn, 0, Height, line.opis, 7);
        return band;
    }

    Band totalsBand(const QString& caption, const OrderPrintTotals& totals, bool order) const
    {
        const double height = order ? 7 : 6;
        Band band(height);
        const double lineFrom = order ? 0 : LengthColumn.x;
        band.line({lineFrom, 0.5}, {BrutWeightColumn.x + BrutWeightColumn.width, 0.5}, order ? 0.3 : 0.2);
        const double top = 1.2;
        const double textHeight = height - 1.5;
        band.text({order ? 0.0 : 8.0, top, 56, textHeight}, caption, style(order ? 8.5 : 7.5, true));
        cell(band, PcsColumn, top, textHeight, count(totals.pcs), 7.5, true);
        cell(band, TotalLengthColumn, top, textHeight, number(totals.totalLenght), 7.5, true);
        cell(band, WeightColumn, top, textHeight, number(totals.weight), 7.5, true);
        cell(band, BrutLengthColumn, top, textHeight, number(totals.brutLenght), 7.5, true);
        cell(band, ScrapColumn, top, textHeight, percent(totals.scrap), 7.5, true);
        cell(band, BrutWeightColumn, top, textHeight, number(totals.brutWeight), 7.5, true);
        return band;
    }

    const OrderPrint print_;
    QImage logo_;
    QLocale locale_{QLocale::Polish};
};

} // namespace

ui::report::Report orderPrintReport(const OrderPrint& print, const QString& logoFile)
{
    return std::make_shared<const Layout>(print, logoFile)->report();
}

bool printOrder(global::Database& db, const global::Services& services, uint32_t orderId,
                ui::report::ReportOutput& output)
{
    OrderPrint print;
    QString error;
    const int code = buildOrderPrint(db, services, orderId, print, error);
    if (code != 0) {
        if (!error.isEmpty())
            services.dialogs.message(error);
        return false;
    }
    const QString logo = QFileInfo(db.filePath()).absolutePath() + QStringLiteral("/Logo.jpg");
    services.progress.start(QStringLiteral("Progress..."), 100);
    const bool printed = output.output(orderPrintReport(print, logo), services.progress);
    services.progress.finish();
    if (!printed && !output.errorText().isEmpty())
        services.dialogs.message(output.errorText());
    return printed;
}

} // namespace orders
