#pragma once
// The report engine: a report is a page header, a page footer and a body of bands (free bands and
// groups with a header, detail lines and a footer), laid out top to bottom over as many pages as
// they need and drawn with QPainter on any paged device (a PDF file, a printer, a print preview).
// All measures are millimetres from the top-left corner of the band inside the page margins.
//
//   Report report(QStringLiteral("Polecenie cięcia 12"));
//   report.setPageHeader([](const PageInfo&) { Band b(12); b.text({0, 0, 200, 8}, "Tytuł", bold); return b; });
//   report.setPageFooter([](const PageInfo& p) { Band b(6); b.text({0, 0, 40, 5}, QString::number(p.page)); return b; });
//   report.addBand(summary);
//   report.addGroup(header, details, footer);   // the header comes again on a page that continues the group
//
// A band never splits: one that does not fit the rest of a page goes to the next. Texts marked
// to wrap make their band grow to hold them.

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;

namespace global { class Progress; }

namespace ui::report {

enum class Align { Left, Center, Right };

struct TextStyle {
    double points = 8.0;
    bool bold = false;
    Align align = Align::Left;
    bool wrap = false;   // several lines within the width; the band grows to hold them
};

class Band {
public:
    struct Item {
        enum class Kind { Text, Line, Box, Image };
        Kind kind = Kind::Text;
        QRectF rect;         // for a line: from the top-left to the bottom-right corner
        QString text;
        TextStyle style;
        double lineWidth = 0.2;
        QImage image;
    };

    explicit Band(double height = 0) : height_(height) {}

    Band& text(const QRectF& rect, const QString& text, const TextStyle& style = {});
    Band& line(const QPointF& from, const QPointF& to, double width = 0.2);
    Band& box(const QRectF& rect, double width = 0.2);
    Band& image(const QRectF& rect, const QImage& image);

    // The height given; the layout makes it larger when wrapped texts need more.
    double height() const { return height_; }
    void setHeight(double height) { height_ = height; }
    const std::vector<Item>& items() const { return items_; }
    bool empty() const { return items_.empty(); }

private:
    double height_;
    std::vector<Item> items_;
};

struct PageSetup {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    QMarginsF margins{13.5, 8, 13.5, 8};   // millimetres

    QPageLayout layout() const;
};

struct PageInfo {
    int page = 1;    // 1, 2, ...
    int pages = 1;   // how many the report has
};

class Report {
public:
    explicit Report(QString title = {}) : title_(std::move(title)) {}

    const QString& title() const { return title_; }
    void setPageSetup(const PageSetup& setup) { setup_ = setup; }
    const PageSetup& pageSetup() const { return setup_; }

    void setPageHeader(std::function<Band(const PageInfo&)> header) { header_ = std::move(header); }
    void setPageFooter(std::function<Band(const PageInfo&)> footer) { footer_ = std::move(footer); }

    void addBand(const Band& band);
    // A group: its header stays with its first detail line and comes again at the top of a page
    // that continues the group.
    void addGroup(const Band& header, const std::vector<Band>& details, const Band& footer = Band());

    struct Block {
        Band band;
        int group = -1;           // the group it belongs to, -1 for a free band
        bool groupHeader = false;
    };
    const std::vector<Block>& blocks() const { return blocks_; }
    Band pageHeader(const PageInfo& page) const { return header_ ? header_(page) : Band(); }
    Band pageFooter(const PageInfo& page) const { return footer_ ? footer_(page) : Band(); }

private:
    QString title_;
    PageSetup setup_;
    std::function<Band(const PageInfo&)> header_;
    std::function<Band(const PageInfo&)> footer_;
    std::vector<Block> blocks_;
    int groups_ = 0;
};

// Lays the report out on the device and paints every page. The device gets the report's page
// layout. progress (optional) is told the share of pages drawn, in percent, and may cancel;
// returns false then, or when the device cannot be painted on (error says so). pages (optional)
// gets the number of pages.
bool paintReport(const Report& report, QPagedPaintDevice& device, global::Progress* progress, QString& error,
                 int* pages = nullptr);

// How many pages the report takes on the device (the layout alone, nothing painted).
int countPages(const Report& report, QPagedPaintDevice& device);

} // namespace ui::report
