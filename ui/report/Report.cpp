#include "ui/report/Report.h"

#include "ui/report/ReportFonts.h"
#include "global/Services.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace ui::report {

Band& Band::text(const QRectF& rect, const QString& text, const TextStyle& style)
{
    Item item;
    item.kind = Item::Kind::Text;
    item.rect = rect;
    item.text = text;
    item.style = style;
    items_.push_back(std::move(item));
    return *this;
}

Band& Band::line(const QPointF& from, const QPointF& to, double width)
{
    Item item;
    item.kind = Item::Kind::Line;
    item.rect = QRectF(from, to);
    item.lineWidth = width;
    items_.push_back(std::move(item));
    return *this;
}

Band& Band::box(const QRectF& rect, double width)
{
    Item item;
    item.kind = Item::Kind::Box;
    item.rect = rect;
    item.lineWidth = width;
    items_.push_back(std::move(item));
    return *this;
}

Band& Band::image(const QRectF& rect, const QImage& image)
{
    Item item;
    item.kind = Item::Kind::Image;
    item.rect = rect;
    item.image = image;
    items_.push_back(std::move(item));
    return *this;
}

QPageLayout PageSetup::layout() const
{
    return QPageLayout(QPageSize(size), orientation, margins, QPageLayout::Millimeter);
}

void Report::addBand(const Band& band)
{
    blocks_.push_back(Block{band, -1, false});
}

void Report::addGroup(const Band& header, const std::vector<Band>& details, const Band& footer)
{
    const int group = groups_++;
    blocks_.push_back(Block{header, group, true});
    for (const Band& detail : details)
        blocks_.push_back(Block{detail, group, false});
    if (!footer.empty() || footer.height() > 0)
        blocks_.push_back(Block{footer, group, false});
}

namespace {

// Millimetres on the device: the painter works in device pixels.
class Canvas {
public:
    explicit Canvas(QPagedPaintDevice& device) : device_(device), perMm_(device.logicalDpiY() / 25.4) {}

    double px(double mm) const { return mm * perMm_; }
    QRectF px(const QRectF& mm) const { return QRectF(px(mm.x()), px(mm.y()), px(mm.width()), px(mm.height())); }

    QFont font(const TextStyle& style) const
    {
        QFont f(reportFontFamily());
        f.setPointSizeF(style.points);
        f.setBold(style.bold);
        // Letters as they stand: no ligatures ("fi" stays two letters for readers of the PDF).
        f.setStyleStrategy(QFont::PreferNoShaping);
        return f;
    }

    static int flags(const TextStyle& style)
    {
        int f = style.wrap ? (Qt::TextWordWrap | Qt::AlignTop) : (Qt::TextSingleLine | Qt::AlignVCenter);
        switch (style.align) {
        case Align::Left: f |= Qt::AlignLeft; break;
        case Align::Center: f |= Qt::AlignHCenter; break;
        case Align::Right: f |= Qt::AlignRight; break;
        }
        return f;
    }

    // The height in millimetres a wrapped text needs in its width.
    double wrappedHeight(const Band::Item& item) const
    {
        const QFontMetricsF metrics(font(item.style), &device_);
        const QRectF bounds = metrics.boundingRect(QRectF(0, 0, px(item.rect.width()), 1e9), flags(item.style), item.text);
        return bounds.height() / perMm_;
    }

    // The band's height with its wrapped texts grown.
    double height(const Band& band) const
    {
        double h = band.height();
        for (const Band::Item& item : band.items())
            if (item.kind == Band::Item::Kind::Text && item.style.wrap)
                h = std::max(h, item.rect.top() + std::max(item.rect.height(), wrappedHeight(item)));
        return h;
    }

    void paint(QPainter& painter, const Band& band, double top) const
    {
        for (const Band::Item& item : band.items()) {
            const QRectF rect = px(item.rect.translated(0, top));
            switch (item.kind) {
            case Band::Item::Kind::Text: {
                const QFont f = font(item.style);
                painter.setFont(f);
                painter.setPen(QPen(Qt::black));
                if (item.style.wrap) {
                    QRectF target = rect;
                    target.setHeight(std::max(rect.height(), px(wrappedHeight(item)) + 1));
                    painter.drawText(target, flags(item.style), item.text);
                } else {
                    // A text too long for its place is cut with an ellipsis rather than run into the next.
                    const QFontMetricsF metrics(f, &device_);
                    painter.drawText(rect, flags(item.style), metrics.elidedText(item.text, Qt::ElideRight, rect.width()));
                }
                break;
            }
            case Band::Item::Kind::Line:
                painter.setPen(QPen(Qt::black, px(item.lineWidth)));
                painter.drawLine(rect.topLeft(), rect.bottomRight());
                break;
            case Band::Item::Kind::Box:
                painter.setPen(QPen(Qt::black, px(item.lineWidth)));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect);
                break;
            case Band::Item::Kind::Image:
                if (!item.image.isNull())
                    painter.drawImage(rect, item.image);
                break;
            }
        }
    }

private:
    QPagedPaintDevice& device_;
    double perMm_;
};

struct Placed {
    const Band* band;
    double top;   // millimetres below the page header
};
using Page = std::vector<Placed>;

// The body bands on pages.
std::vector<Page> layOut(const Report& report, const Canvas& canvas, double pageHeight)
{
    const double headerHeight = canvas.height(report.pageHeader(PageInfo{}));
    const double footerHeight = canvas.height(report.pageFooter(PageInfo{}));
    const double room = std::max(1.0, pageHeight - headerHeight - footerHeight);
    const auto& blocks = report.blocks();

    std::vector<Page> pages(1);
    double y = 0;
    const Band* groupHeader = nullptr;
    int group = -1;
    auto newPage = [&] {
        pages.emplace_back();
        y = 0;
    };
    auto place = [&](const Band& band, double h) {
        pages.back().push_back(Placed{&band, y});
        y += h;
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Report::Block& block = blocks[i];
        const double h = canvas.height(block.band);
        if (block.groupHeader) {
            group = block.group;
            groupHeader = &block.band;
            // The header stays with the group's first line.
            double needed = h;
            if (i + 1 < blocks.size() && blocks[i + 1].group == block.group && !blocks[i + 1].groupHeader)
                needed += canvas.height(blocks[i + 1].band);
            if (y > 0 && y + needed > room)
                newPage();
            place(block.band, h);
            continue;
        }
        if (block.group != group) {
            group = -1;
            groupHeader = nullptr;
        }
        if (y > 0 && y + h > room) {
            newPage();
            if (groupHeader != nullptr) {
                const double headerH = canvas.height(*groupHeader);
                if (headerH + h <= room)
                    place(*groupHeader, headerH);
            }
        }
        place(block.band, h);
    }
    return pages;
}

double pageHeightMm(QPagedPaintDevice& device)
{
    return device.pageLayout().paintRect(QPageLayout::Millimeter).height();
}

} // namespace

int countPages(const Report& report, QPagedPaintDevice& device)
{
    device.setPageLayout(report.pageSetup().layout());
    const Canvas canvas(device);
    return static_cast<int>(layOut(report, canvas, pageHeightMm(device)).size());
}

bool paintReport(const Report& report, QPagedPaintDevice& device, global::Progress* progress, QString& error,
                 int* pageCount)
{
    device.setPageLayout(report.pageSetup().layout());
    const Canvas canvas(device);
    const double pageHeight = pageHeightMm(device);
    const std::vector<Page> pages = layOut(report, canvas, pageHeight);
    if (pageCount != nullptr)
        *pageCount = static_cast<int>(pages.size());

    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("Nie można rozpocząć wydruku raportu \"%1\".").arg(report.title());
        return false;
    }
    const int total = static_cast<int>(pages.size());
    for (int i = 0; i < total; ++i) {
        if (progress != nullptr && !progress->advance(i * 100 / total)) {
            painter.end();
            error.clear();
            return false;
        }
        if (i > 0 && !device.newPage()) {
            painter.end();
            error = QStringLiteral("Nie można dodać strony %1 raportu \"%2\".").arg(i + 1).arg(report.title());
            return false;
        }
        const PageInfo info{i + 1, total};
        const Band header = report.pageHeader(info);
        const Band footer = report.pageFooter(info);
        const double headerHeight = canvas.height(header);
        canvas.paint(painter, header, 0);
        for (const Placed& placed : pages[static_cast<std::size_t>(i)])
            canvas.paint(painter, *placed.band, headerHeight + placed.top);
        canvas.paint(painter, footer, pageHeight - canvas.height(footer));
    }
    if (progress != nullptr)
        progress->advance(100);
    if (!painter.end()) {
        error = QStringLiteral("Nie można zakończyć wydruku raportu \"%1\".").arg(report.title());
        return false;
    }
    return true;
}

} // namespace ui::report
