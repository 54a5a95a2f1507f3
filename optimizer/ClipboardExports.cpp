#include "optimizer/ClipboardExports.h"

#include <QStringList>
#include <map>
#include <vector>

namespace kadrel {

namespace {

constexpr int NumberWidth = 13;
const QChar Tab = QLatin1Char('\t');
const QChar LineEnd = QLatin1Char('\r');

} // namespace

const QString ClipboardTexts::ResultsCopied = QStringLiteral("Dane w schowku");
const QString ClipboardTexts::SpecificationCopied = QStringLiteral(
    "Dane w schowku. Proszę otworzyć dowolny arkusz kalkulacyjny i wkleić dane (Ctrl-V)");
const QString ClipboardTexts::SpecificationTitle = QStringLiteral("Wyniki optymalizacji cięcia");
const QStringList ClipboardTexts::SpecificationHeader = {
    QStringLiteral("Numer profila"), QStringLiteral("Długość profila"), QStringLiteral("Odpad"),
    QStringLiteral("Kolejne odcinki")};

QString formatExportNumber(uint64_t value)
{
    QString digits = QString::number(value);
    QString grouped;
    const int count = static_cast<int>(digits.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            grouped += QLatin1Char(' ');
        grouped += digits[i];
    }
    return grouped.rightJustified(NumberWidth, QLatin1Char(' '));
}

QString resultsExportText(const ResultTable& results)
{
    constexpr qsizetype LineLength = 5 * (NumberWidth + 1);
    QString text;
    text.reserve(static_cast<qsizetype>(results.size()) * LineLength);
    for (const ResultRow& row : results) {
        text += formatExportNumber(row.combNo) + Tab + formatExportNumber(row.profileNo) + Tab
            + formatExportNumber(row.profileLengt) + Tab + formatExportNumber(row.cut) + Tab
            + formatExportNumber(row.cutId) + LineEnd;
    }
    return text;
}

QString selectedCutsExportText(const ResultTable& results, uint32_t combNo)
{
    struct Bar {
        uint32_t length = 0;
        uint32_t leftover = 0;
        std::vector<uint32_t> pieces;
    };
    std::map<uint32_t, Bar> bars;   // by bar number
    for (const ResultRow& row : results) {
        if (row.combNo != combNo)
            continue;
        Bar& bar = bars[row.profileNo];
        bar.length = row.profileLengt;
        if (row.cutId == 0)
            bar.leftover = row.cut;
        else
            bar.pieces.push_back(row.cut);
    }

    QString text = ClipboardTexts::SpecificationTitle + LineEnd
        + ClipboardTexts::SpecificationHeader.join(Tab) + LineEnd;
    for (const auto& [number, bar] : bars) {
        text += formatExportNumber(uint64_t{number} + 1) + Tab + formatExportNumber(bar.length) + Tab
            + formatExportNumber(bar.leftover) + Tab;
        for (uint32_t piece : bar.pieces)
            text += formatExportNumber(piece) + Tab;
        text += LineEnd;
    }
    return text;
}

} // namespace kadrel
