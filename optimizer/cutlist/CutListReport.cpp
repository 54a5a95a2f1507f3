#include "optimizer/cutlist/CutListReport.h"

#include "global/CheckFormat.h"
#include "global/Database.h"
#include "global/Globals.h"
#include "global/Services.h"
#include "ui/report/Logo.h"
#include "ui/report/Report.h"
#include "ui/report/ReportOutput.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <memory>

namespace kadrel {

using ui::report::Align;
using ui::report::Band;
using ui::report::PageInfo;
using ui::report::TextStyle;

namespace {

constexpr double PageWidth = 270;
constexpr double ColumnWidth = PageWidth / 4;
constexpr double ColumnInner = ColumnWidth - 1.5;

struct ReportTexts {
    QString cuttingOrder;
    QString specification;
    QString stockChanges;
    QString length;
    QString consumption;
    QString returned;
    QString confirmed;
    QString mm;
    QString pieces;
    QString kg;
    QString total;
    QString order;
    QString element;
    QString ordersList;
    QString customer;
    QString customers;
    QString planned;
    QString joints;
    QString projects;
    QString printedOn;
    QString time;
    QString page;
    QString operatorName;
    QString computer;
    QLocale locale;
};

const ReportTexts& textsOf(CutListLanguage language)
{
    static const ReportTexts polish{
        QStringLiteral("POLECENIE  CIĘCIA  NR"), QStringLiteral("SPECYFIKACJA  ROZKROJU"),
        QStringLiteral("Zmiana stanów"), QStringLiteral("Długość"), QStringLiteral("Zużycie"),
        QStringLiteral("Zwrot"), QStringLiteral("Potw."), QStringLiteral("[ mm ]"), QStringLiteral("[ szt ]"),
        QStringLiteral("[ kg ]"), QStringLiteral("Suma:"), QStringLiteral("Zamówienie"), QStringLiteral("Element"),
        QStringLiteral("Lista zamówień:"), QStringLiteral("Klient:"), QStringLiteral("Klienci: "),
        QStringLiteral("Planowane wykonanie na:"),
        QStringLiteral("Z e s t a w i e n i e     p o ł ą c z e ń     t e c h n o l o g i c z n y c h"),
        QStringLiteral("Informacja o kooperacji"), QStringLiteral("Wydrukowane dnia:"), QStringLiteral("godz:"),
        QStringLiteral("Strona:"), QStringLiteral("Operator:"), QStringLiteral("PC:"), QLocale(QLocale::Polish)};
    static const ReportTexts english{
        QStringLiteral("CUTTING ORDER NO"), QStringLiteral("CUTTING SPECIFICATION"), QStringLiteral("Stock modifications"),
        QStringLiteral("Length"), QStringLiteral("Consumption"), QStringLiteral("Return"), QStringLiteral("Conf."),
        QStringLiteral("[ mm ]"), QStringLiteral("[ pcs ]"), QStringLiteral("[ kg ]"), QStringLiteral("Total:"),
        QStringLiteral("Order"), QStringLiteral("Element"), QStringLiteral("Orders list:"), QString(), QString(),
        QStringLiteral("Planned cutting:"), QStringLiteral("L i s t   o f   e x t e n s i o n s"), QString(),
        QStringLiteral("Printed on:"), QStringLiteral("time:"), QStringLiteral("Page:"), QStringLiteral("Operator:"),
        QStringLiteral("PC:"), QLocale(QLocale::English)};
    return language == CutListLanguage::English ? english : polish;
}

TextStyle style(double points, bool bold = false, Align align = Align::Left, bool wrap = false)
{
    return TextStyle{points, bold, align, wrap};
}

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

// The bands of a cut list. The report keeps the layout alive for its page header and footer.
class Layout : public std::enable_shared_from_this<Layout> {
public:
    Layout(const CutList& cutList, const QString& logoFile)
        : list_(cutList), t_(textsOf(cutList.language)), logo_(ui::report::readLogo(logoFile))
    {
    }

    ui::report::Report report() const
    {
        const QString title = list_.transaction != 0 ? QStringLiteral("%1 %2").arg(t_.cuttingOrder).arg(list_.transaction)
                                                     : t_.specification;
        ui::report::Report report(title);
        const std::shared_ptr<const Layout> self = shared_from_this();
        report.setPageHeader([self, title](const PageInfo&) { return self->pageHeader(title); });
        report.setPageFooter([self](const PageInfo& page) { return self->pageFooter(page); });
        report.addBand(stockChanges());
        if (!list_.customers.isEmpty())
            report.addBand(customers());
        for (const CutListGroup& group : list_.groups) {
            std::vector<Band> lines;
            for (const auto& line : group.lines)
                lines.push_back(pieceLine(line));
            report.addGroup(groupHeader(group), lines, groupFooter(group));
        }
        Band planned(9);
        planned.text({0, 2, 200, 6}, t_.planned + QLatin1Char(' ') + dateText(list_.productionDate), style(9, true));
        report.addBand(planned);
        if (!list_.joints.empty())
            addJoints(report);
        if (!list_.projects.empty())
            addProjects(report);
        return report;
    }

private:

    Band pageHeader(const QString& title) const
    {
        Band band(24);
        if (!logo_.isNull())
            band.image(logoPlace(logo_.width(), logo_.height()), logo_);
        band.text({0, 1, 155, 8}, title, style(14, true));
        band.text({0, 10, 155, 6}, list_.profileHeader, style(10, true));
        band.text({0, 16, 155, 5}, list_.documentDescription, style(8));
        band.line({0, 23}, {PageWidth, 23}, 0.3);
        return band;
    }

    Band pageFooter(const PageInfo& page) const
    {
        Band band(6);
        band.line({0, 0.5}, {PageWidth, 0.5});
        const QString text = QStringList{t_.printedOn + QLatin1Char(' ') + dateText(list_.printedAt.date()),
                                         t_.time + QLatin1Char(' ') + list_.printedAt.time().toString(QStringLiteral("HH:mm")),
                                         t_.page + QLatin1Char(' ') + QString::number(page.page),
                                         t_.operatorName + QLatin1Char(' ') + list_.operatorName,
                                         t_.computer + QLatin1Char(' ') + list_.computerName}
                                 .join(QStringLiteral("     "));
        band.text({0, 1.5, PageWidth, 4}, text, style(7));
        return band;
    }

    QString kg(double value) const { return t_.locale.toString(value, 'f', 2); }

    Band stockChanges() const
    {
        constexpr double Row = 4.5;
        constexpr double Top = 16;
        const double rows = double(list_.stockChanges.size());
        Band band(Top + (rows + 1) * Row + 3);
        band.text({0, 1, 80, 5}, t_.stockChanges, style(9, true));
        const double headerTop = 6.5;
        band.text({0, headerTop, 25, 4}, t_.length, style(7, true, Align::Center));
        band.text({25, headerTop, 40, 4}, t_.consumption, style(7, true, Align::Center));
        band.text({65, headerTop, 40, 4}, t_.returned, style(7, true, Align::Center));
        band.text({105, headerTop, 20, 4}, t_.confirmed, style(7, true, Align::Center));
        const QString units[] = {t_.mm, t_.pieces, t_.kg, t_.pieces, t_.kg};
        for (int i = 0; i < 5; ++i)
            band.text({i == 0 ? 0.0 : 25.0 + (i - 1) * 20.0, headerTop + 4.5, i == 0 ? 25.0 : 20.0, 4}, units[i],
                      style(7, false, Align::Center));
        band.line({0, Top - 0.5}, {125, Top - 0.5});
        double y = Top;
        const auto row = [&](const QString& first, const CutListStockChange& r, bool bold) {
            band.text({0, y, 23, Row}, first, style(8, bold, Align::Right));
            band.text({25, y, 18, Row}, QString::number(r.consumption), style(8, bold, Align::Right));
            band.text({45, y, 18, Row}, kg(r.consumptionWeight), style(8, bold, Align::Right));
            band.text({65, y, 18, Row}, QString::number(r.returned), style(8, bold, Align::Right));
            band.text({85, y, 18, Row}, kg(r.returnWeight), style(8, bold, Align::Right));
            y += Row;
        };
        for (const CutListStockChange& r : list_.stockChanges)
            row(QString::number(r.lenght), r, false);
        band.line({0, y + 0.2}, {125, y + 0.2});
        row(t_.total, list_.stockTotals, true);
        band.box({0, headerTop - 0.5, 125, y - headerTop + 1});
        for (double x : {25.0, 65.0, 105.0})
            band.line({x, headerTop - 0.5}, {x, y + 0.5});
        if (!list_.orders.isEmpty()) {
            QString orders = t_.ordersList;
            for (const QString& order : list_.orders)
                orders += QLatin1Char(' ') + order + QLatin1Char(';');
            band.text({135, headerTop, PageWidth - 135, 4}, orders, style(8, false, Align::Left, true));
        }
        return band;
    }

    Band customers() const
    {
        QString text = list_.customers.size() == 1 ? t_.customer + QLatin1Char(' ') + list_.customers.first()
                                                   : t_.customers + QLatin1Char(' ') + list_.customers.join(QLatin1Char(';'));
        Band band(7);
        band.text({0, 1, PageWidth, 5}, text, style(8, true, Align::Left, true));
        return band;
    }

    static double columnX(std::size_t column) { return double(column) * ColumnWidth; }

    Band groupHeader(const CutListGroup& group) const
    {
        Band band(16);
        for (std::size_t c = 0; c < 4; ++c) {
            if (!group.bars[c])
                continue;
            const CutListBar& bar = *group.bars[c];
            const double x = columnX(c);
            band.line({x, 0.5}, {x + ColumnInner, 0.5}, 0.3);
            band.text({x, 1, 40, 5}, bar.description, style(8, true));
            band.text({x + 38, 1, ColumnInner - 38, 5}, QString::number(bar.lenght), style(9, true, Align::Right));
            if (list_.language == CutListLanguage::Polish)
                band.text({x, 6, ColumnInner, 4}, bar.heatNumber, style(7));
            band.text({x, 10.5, 17, 4}, t_.length, style(7, true, Align::Right));
            band.text({x + 18, 10.5, 22, 4}, t_.order, style(7, true));
            band.text({x + 41, 10.5, ColumnInner - 41, 4}, t_.element, style(7, true));
            band.line({x, 15}, {x + ColumnInner, 15});
        }
        return band;
    }

    Band pieceLine(const std::array<std::optional<CutListPiece>, 4>& line) const
    {
        Band band(4.2);
        for (std::size_t c = 0; c < 4; ++c) {
            if (!line[c])
                continue;
            const CutListPiece& piece = *line[c];
            const double x = columnX(c);
            band.text({x, 0, 7, 4.2}, piece.mark, style(6.5, true));
            band.text({x + 6, 0, 11, 4.2}, QString::number(piece.lenght), style(6.5, false, Align::Right));
            band.text({x + 18, 0, 22, 4.2}, piece.order, style(6.5));
            band.text({x + 41, 0, ColumnInner - 41, 4.2}, piece.description, style(6.5));
        }
        return band;
    }

    Band groupFooter(const CutListGroup& group) const
    {
        Band band(8);
        for (std::size_t c = 0; c < 4; ++c) {
            if (!group.bars[c])
                continue;
            const CutListBar& bar = *group.bars[c];
            const double x = columnX(c);
            band.line({x, 0.5}, {x + ColumnInner, 0.5});
            band.text({x, 1, 17, 4.5}, QString::number(bar.leftover), style(7, true, Align::Right));
            band.text({x + 18, 1, ColumnInner - 18, 4.5}, bar.leftoverInstruction, style(7, true));
        }
        return band;
    }

    // The joints three to a line, under their heading (which stays with the first line).
    void addJoints(ui::report::Report& report) const
    {
        Band heading(9);
        heading.text({0, 2, PageWidth, 6}, t_.joints, style(9, true));
        std::vector<Band> lines;
        for (std::size_t i = 0; i < list_.joints.size(); i += 3) {
            Band line(4.5);
            for (std::size_t k = 0; k < 3 && i + k < list_.joints.size(); ++k) {
                const Joint& joint = list_.joints[i + k];
                const double x = double(k) * 90;
                line.text({x, 0, 11, 4.5}, joint.linkCode(), style(8, true));
                line.text({x + 11, 0, 30, 4.5}, joint.code, style(8));
                line.text({x + 41, 0, 14, 4.5}, QString::number(joint.lenght), style(8, false, Align::Right));
                line.text({x + 56, 0, 14, 4.5}, QString::number(joint.l1), style(8, false, Align::Right));
                line.text({x + 71, 0, 14, 4.5}, QString::number(joint.l2), style(8, false, Align::Right));
            }
            lines.push_back(line);
        }
        report.addGroup(heading, lines);
    }

    void addProjects(ui::report::Report& report) const
    {
        Band heading(9);
        heading.text({0, 2, PageWidth, 6}, t_.projects, style(9, true));
        std::vector<Band> lines;
        for (const CutListProject& project : list_.projects) {
            Band line(4.5);
            line.text({0, 0, 8, 4.5}, QString::number(project.number), style(8, false, Align::Right));
            line.text({10, 0, 120, 4.5}, project.code, style(8));
            line.text({135, 0, PageWidth - 135, 4.5}, project.stage, style(8));
            lines.push_back(line);
        }
        report.addGroup(heading, lines);
    }

    const CutList list_;
    const ReportTexts& t_;
    QImage logo_;
};

bool printCutList(const CutListPrinting& printing, CutListLanguage language, uint32_t profile,
                  const SolutionItemTable& bars, const SolutionSubitemTable& pieces, uint32_t transaction, bool summary)
{
    const global::Globals& g = global::glo();
    CutListContext context;
    context.language = language;
    context.summary = summary;
    context.printSubcontr = g.printSubcontr;
    context.now = printing.services.clock.now();
    context.operatorName = printing.services.identity.userName();
    context.computerName = printing.services.identity.computerName();
    global::Progress& progress = printing.services.progress;
    context.progress = &progress;
    global::Dialogs& dialogs = printing.services.dialogs;
    global::CheckFormat checkFormat(printing.db);
    context.checkFormat = [&checkFormat](const QString& value, const QString& name, const QString& type) {
        return checkFormat(value, name, type);
    };
    CutList cutList;
    QString error;
    progress.start(QStringLiteral("Progress..."), 100);
    const bool built = buildCutList(printing.db, dialogs, profile, bars, pieces, transaction, context, cutList, error);
    // A field-map formula that failed left its descriptions as they were: said once per report.
    if (checkFormat.hasProblems())
        dialogs.message(checkFormat.problemMessage());
    bool printed = false;
    if (built) {
        const QString logo = QFileInfo(printing.db.filePath()).absolutePath() + QStringLiteral("/Logo.jpg");
        printed = printing.output.output(cutListReport(cutList, logo), progress);
        error = printing.output.errorText();
    }
    progress.finish();
    if (!printed && !error.isEmpty())
        dialogs.message(error);
    return printed;
}

} // namespace

QRectF logoPlace(int width, int height)
{
    return ui::report::headerLogoPlace(width, height);
}

ui::report::Report cutListReport(const CutList& cutList, const QString& logoFile)
{
    return std::make_shared<const Layout>(cutList, logoFile)->report();
}

bool printCutsPl(const CutListPrinting& printing, uint32_t profile, const SolutionItemTable& bars,
                 const SolutionSubitemTable& pieces, uint32_t transaction, bool summary)
{
    return printCutList(printing, CutListLanguage::Polish, profile, bars, pieces, transaction, summary);
}

bool printCutsEn(const CutListPrinting& printing, uint32_t profile, const SolutionItemTable& bars,
                 const SolutionSubitemTable& pieces, uint32_t transaction)
{
    return printCutList(printing, CutListLanguage::English, profile, bars, pieces, transaction, false);
}

bool printCuts(const CutListPrinting& printing, const QString& language, uint32_t profile,
               const SolutionItemTable& bars, const SolutionSubitemTable& pieces, uint32_t transaction, bool summary)
{
    const QString chosen = language.trimmed().toUpper();
    if (chosen == QLatin1String("PL"))
        return printCutsPl(printing, profile, bars, pieces, transaction, summary);
    if (chosen == QLatin1String("EN"))
        return printCutsEn(printing, profile, bars, pieces, transaction);
    return false;
}

} // namespace kadrel
