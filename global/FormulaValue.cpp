// Values of formulas: texts and numbers, how one becomes the other and how they compare.
#include "global/Deform.h"
#include "global/FormulaTree.h"

#include <algorithm>
#include <cmath>

namespace global {

namespace {

constexpr int SignificantDigits = 15;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString withoutTrailingSpace(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

// Sorting weight of an upper-case character: Polish letters right after their base letter
// (A Ą B C Ć ... Z Ź Ż), every other character by its code.
int collationWeight(QChar c)
{
    switch (c.unicode()) {
    case 0x0104: return 'A' * 4 + 1;   // Ą
    case 0x0106: return 'C' * 4 + 1;   // Ć
    case 0x0118: return 'E' * 4 + 1;   // Ę
    case 0x0141: return 'L' * 4 + 1;   // Ł
    case 0x0143: return 'N' * 4 + 1;   // Ń
    case 0x00D3: return 'O' * 4 + 1;   // Ó
    case 0x015A: return 'S' * 4 + 1;   // Ś
    case 0x0179: return 'Z' * 4 + 1;   // Ź
    case 0x017B: return 'Z' * 4 + 2;   // Ż
    default: return int(c.unicode()) * 4;
    }
}

int compareTexts(const QString& a, const QString& b)
{
    const QString x = withoutTrailingSpace(a).toUpper();
    const QString y = withoutTrailingSpace(b).toUpper();
    const qsizetype common = std::min(x.size(), y.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int difference = collationWeight(x.at(i)) - collationWeight(y.at(i));
        if (difference != 0)
            return difference < 0 ? -1 : 1;
    }
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

// Numbers that agree in the 15 digits shown are equal (0.1 + 0.2 = 0.3).
int compareNumbers(double a, double b)
{
    const double scale = std::max(std::fabs(a), std::fabs(b));
    if (std::fabs(a - b) <= scale * 1e-15)
        return 0;
    return a < b ? -1 : 1;
}

// A value that takes part in a comparison as a number: a number, a text that reads wholly as one,
// or (against a number) a blank text.
bool numberForComparison(const FormulaValue& value, bool otherIsNumber, double& number)
{
    if (value.isNumber()) {
        number = value.toNumber();
        return true;
    }
    const QString text = value.toText();
    if (readsAsNumber(text) || (otherIsNumber && text.trimmed().isEmpty())) {
        number = deform(text);
        return true;
    }
    return false;
}

} // namespace

FormulaValue FormulaValue::number(double value)
{
    FormulaValue v;
    v.isNumber_ = true;
    v.number_ = value;
    return v;
}

FormulaValue FormulaValue::text(const QString& value)
{
    FormulaValue v;
    v.text_ = value;
    return v;
}

double FormulaValue::toNumber() const
{
    return isNumber_ ? number_ : deform(text_);
}

QString FormulaValue::toText() const
{
    return isNumber_ ? formulaNumberText(number_) : text_;
}

bool FormulaValue::isTrue() const
{
    if (isNumber_)
        return number_ != 0;
    if (text_.trimmed().isEmpty())
        return false;
    return !readsAsNumber(text_) || deform(text_) != 0;
}

double significantDigits15(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    return QString::number(value, 'g', SignificantDigits).toDouble();
}

QString formulaNumberText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    const double magnitude = value == 0 ? 0 : std::floor(std::log10(std::fabs(value)));
    const int decimals = int(std::clamp(SignificantDigits - 1 - magnitude, 0.0, double(SignificantDigits)));
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

bool readsAsNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+')))
        ++i;
    bool digit = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (isAsciiDigit(c))
            digit = true;
        else if (c != QLatin1Char('.') && c != QLatin1Char(',') && !c.isSpace())
            return false;
    }
    return digit;
}

int compareFormulaValues(const FormulaValue& a, const FormulaValue& b)
{
    double x = 0;
    double y = 0;
    if (numberForComparison(a, b.isNumber(), x) && numberForComparison(b, a.isNumber(), y))
        return compareNumbers(x, y);
    return compareTexts(a.toText(), b.toText());
}

QString FormulaResult::errorMessage() const
{
    return ok() ? QString() : QStringLiteral("error %1: %2").arg(errorCode).arg(errorText);
}

} // namespace global
