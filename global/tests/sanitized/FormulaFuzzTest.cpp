// The formula language fed with generated and mutated expressions (fixed seed), built with
// AddressSanitizer and UndefinedBehaviorSanitizer: no input may crash, hang or misbehave, every
// answer is a value within the limits or one of the five numbered errors, and an expression made
// by the language's own grammar never fails for its form.

#include "global/Deform.h"
#include "global/Formula.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>

using namespace global;

namespace {

using Clock = std::chrono::steady_clock;

class Generator {
public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }

    template <class T, std::size_t N>
    const T& pick(const T (&items)[N]) { return items[below(int(N))]; }

    // An expression of the grammar, at most `depth` levels deep; uses only bound names, known
    // functions with a right number of arguments.
    QString expression(int depth)
    {
        if (depth <= 0 || chance(25))
            return leaf();
        switch (below(6)) {
        case 0: {
            static const char* const ops[] = {"+", "-", "*", "/", "%", "&", "=", "<>", "<", "<=", ">", ">=", "AND", "OR", "and", "Or"};
            QString chain = expression(depth - 1);
            for (int n = 1 + below(3); n > 0; --n)
                chain += spaced(QLatin1String(pick(ops))) + expression(depth - 1);
            return chain;
        }
        case 1: return QStringLiteral("(") + expression(depth - 1) + QStringLiteral(")");
        case 2: {
            static const char* const unary[] = {"-", "+", "NOT ", "not "};
            return QLatin1String(pick(unary)) + expression(depth - 1);
        }
        default: return call(depth);
        }
    }

    QString call(int depth)
    {
        static const struct {
            const char* name;
            int min;
            int max;
        } functions[] = {{"SUB", 2, 3},   {"LEFT", 1, 2},     {"RIGHT", 1, 2}, {"CLIP", 1, 1},  {"UPPER", 1, 1},
                         {"lower", 1, 1}, {"LEN", 1, 1},      {"INSTRING", 2, 3}, {"INT", 1, 1}, {"Round", 1, 2},
                         {"ABS", 1, 1},   {"CHOOSE", 2, 6},   {"DEFORM", 1, 1}};
        const auto& f = pick(functions);
        const int count = f.min + below(f.max - f.min + 1);
        QString text = QLatin1String(f.name) + QStringLiteral("(");
        for (int i = 0; i < count; ++i)
            text += (i ? QStringLiteral(", ") : QString()) + expression(depth - 1);
        return text + QStringLiteral(")");
    }

    QString leaf()
    {
        static const char* const names[] = {"VAR", "var", "LENGHT", "BREAK:ORDER", "break:Order", "CUT:LENGHT", "PCS",
                                            "EMPTY", "LONG", "HUGE", "TINY", "POLISH", "ZERO", "_X1", "NEGATIVE"};
        static const char* const numbers[] = {"0", "1", "2", "3", "0.5", ".25", "10", "1000", "99999999999999999999",
                                              "0.1", "4096", "123456789012345678901234567890", "1."};
        switch (below(3)) {
        case 0: return QLatin1String(pick(names));
        case 1: return QLatin1String(pick(numbers));
        default: return textLiteral();
        }
    }

    QString textLiteral()
    {
        static const QString pieces[] = {QStringLiteral("abc"), QStringLiteral("1 234,5"), QStringLiteral("-7"),
                                         QStringLiteral(" "), QString(), QStringLiteral("łódź ŻÓŁĆ"),
                                         QStringLiteral("it''s"), QStringLiteral("ß"), QStringLiteral("0"),
                                         QStringLiteral("x,y.z"), QString(300, QLatin1Char('w'))};
        QString body;
        for (int n = below(3); n >= 0; --n)
            body += pick(pieces);
        return QStringLiteral("'") + body + QStringLiteral("'");
    }

    // The expression with a few random edits: characters inserted, removed, replaced, parts
    // repeated or cut off.
    QString mutated(QString text)
    {
        for (int n = 1 + below(5); n > 0; --n) {
            const int at = text.isEmpty() ? 0 : below(int(text.size()) + 1);
            switch (below(6)) {
            case 0: text.insert(at, oddCharacter()); break;
            case 1: text.remove(at, 1 + below(4)); break;
            case 2:
                if (at < text.size())
                    text[at] = oddCharacter().at(0);
                break;
            case 3: text.insert(at, text.mid(below(int(text.size()) + 1), 1 + below(40))); break;
            case 4: text.truncate(at); break;
            default: text.insert(at, expression(2)); break;
            }
        }
        return text;
    }

    QString oddCharacter()
    {
        static const char16_t characters[] = {u'(', u')', u',', u'\'', u'"', u':', u'&', u'<', u'>', u'=', u'%',
                                              u'-', u'+', u'*', u'/', u'.', u'0', u'9', u'a', u'Z', u'_', u' ',
                                              u'\t', u'\n', u'\0', u'#', u'ł', u'Ż', u'\x7f', 0xD800, 0xDFFF,
                                              0xFFFF, 0x00A0, u'!', u';', u'\\', u'`'};
        if (chance(3))
            return QStringLiteral("😀");
        if (chance(3))
            return QStringLiteral("AND");
        return QString(QChar(pick(characters)));
    }

    std::uint64_t number() { return random_(); }

private:
    QString spaced(const QString& op) { return chance(70) ? QStringLiteral(" ") + op + QStringLiteral(" ") : (op.front().isLetter() ? QStringLiteral(" ") + op + QStringLiteral(" ") : op); }

    std::mt19937_64 random_;
};

FormulaBindings fuzzNames()
{
    FormulaBindings names;
    names.bind("VAR", QStringLiteral("  Rama okna 12 "));
    names.bind("LENGHT", QStringLiteral("1 234,5"));
    names.bind("BREAK:ORDER", QStringLiteral("Z/12"));
    names.bind("CUT:LENGHT", 1500.0);
    names.bind("PCS", QStringLiteral("3"));
    names.bind("EMPTY", QString());
    names.bind("LONG", QString(2500, QLatin1Char('L')));
    names.bind("HUGE", 1e300);
    names.bind("TINY", 1e-300);
    names.bind("POLISH", QStringLiteral("żółć gęślą jaźń"));
    names.bind("ZERO", QStringLiteral("0"));
    names.bind("_X1", QStringLiteral("99999999999999999999"));
    names.bind("NEGATIVE", -0.0);
    return names;
}

bool sameResult(const FormulaResult& a, const FormulaResult& b)
{
    return a.errorCode == b.errorCode && a.errorText == b.errorText && a.value.isNumber() == b.value.isNumber()
           && a.value.toText() == b.value.toText();
}

// What every answer must be, whatever the input.
::testing::AssertionResult wellBehaved(const FormulaResult& r)
{
    if (r.ok()) {
        if (r.value.isNumber() && !std::isfinite(r.value.toNumber()))
            return ::testing::AssertionFailure() << "a number that is not finite";
        if (r.value.toText().size() > FormulaMaxLength)
            return ::testing::AssertionFailure() << "a text of " << r.value.toText().size() << " characters";
        return ::testing::AssertionSuccess();
    }
    if (r.errorCode < 1100 || r.errorCode > 1104)
        return ::testing::AssertionFailure() << "error number " << r.errorCode;
    if (r.errorText.isEmpty())
        return ::testing::AssertionFailure() << "error " << r.errorCode << " without a text";
    return ::testing::AssertionSuccess();
}

struct Timing {
    double slowestSeconds = 0;
    QString slowest;

    FormulaResult run(const QString& text, const FormulaBindings& names)
    {
        const auto start = Clock::now();
        FormulaResult r = evaluateFormula(text, names);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (seconds > slowestSeconds) {
            slowestSeconds = seconds;
            slowest = text.left(200);
        }
        return r;
    }
};

} // namespace

TEST(FormulaFuzzTest, ExpressionsOfTheGrammarFailOnlyForTheirValues)
{
    Generator generate(20261207);
    const FormulaBindings names = fuzzNames();
    Timing timing;
    int values = 0;
    for (int i = 0; i < 40000; ++i) {
        const QString text = generate.expression(1 + generate.below(6));
        if (text.size() > FormulaMaxLength)
            continue;
        const FormulaResult r = timing.run(text, names);
        ASSERT_TRUE(wellBehaved(r)) << text.toStdString();
        // Only the values can make a well-formed expression fail.
        ASSERT_TRUE(r.ok() || r.errorCode == 1103 || r.errorCode == 1104) << text.toStdString() << " -> "
                                                                            << r.errorMessage().toStdString();
        values += r.ok();
        // Reading once and evaluating again gives the same answer.
        const Formula formula(text);
        ASSERT_TRUE(sameResult(formula.evaluate(names), r)) << text.toStdString();
    }
    EXPECT_GT(values, 20000);   // the generator is no factory of errors
    EXPECT_LT(timing.slowestSeconds, 1.0) << timing.slowest.toStdString();
}

TEST(FormulaFuzzTest, MutatedExpressionsAnswerAValueOrANumberedError)
{
    Generator generate(7121026);
    const FormulaBindings names = fuzzNames();
    Timing timing;
    int counts[5] = {};
    int values = 0;
    for (int i = 0; i < 70000; ++i) {
        const QString text = generate.mutated(generate.expression(1 + generate.below(5)));
        const FormulaResult r = timing.run(text, names);
        ASSERT_TRUE(wellBehaved(r)) << text.toStdString();
        ASSERT_TRUE(sameResult(timing.run(text, names), r)) << text.toStdString();
        if (r.ok())
            ++values;
        else
            ++counts[r.errorCode - 1100];
    }
    // The mutations reach every kind of answer.
    EXPECT_GT(values, 1000);
    for (int code = 0; code < 5; ++code)
        EXPECT_GT(counts[code], 0) << "error " << 1100 + code << " never met";
    EXPECT_LT(timing.slowestSeconds, 1.0) << timing.slowest.toStdString();
}

TEST(FormulaFuzzTest, HostileInputsEndQuicklyWithASyntaxError)
{
    const FormulaBindings names = fuzzNames();
    Timing timing;
    const QString hostile[] = {
        QStringLiteral("(").repeated(5000),
        QStringLiteral("(").repeated(2000) + QStringLiteral("1") + QStringLiteral(")").repeated(2000),
        QStringLiteral("-").repeated(4000) + QStringLiteral("1"),
        QStringLiteral("NOT ").repeated(1000) + QStringLiteral("1"),
        QStringLiteral("ABS(").repeated(1000) + QStringLiteral("1") + QStringLiteral(")").repeated(1000),
        QStringLiteral("9").repeated(4000),
        QStringLiteral("'").repeated(4095),
        QStringLiteral("'") + QString(4000, QLatin1Char('x')),
        QString(100000, QLatin1Char('1')),
        QStringLiteral("1+").repeated(50000) + QStringLiteral("1"),
        QString(3000, QChar(0xD800)),
        QString(10, QChar(0)),
    };
    for (const QString& text : hostile) {
        const FormulaResult r = timing.run(text, names);
        ASSERT_TRUE(wellBehaved(r)) << text.left(80).toStdString();
        EXPECT_EQ(r.errorCode, 1100) << text.left(80).toStdString() << " -> " << r.errorMessage().toStdString();
    }
    // Texts grown to the limit by joining and upper case.
    const QString growing[] = {
        QStringLiteral("LONG & LONG"),
        QStringLiteral("UPPER(LONG & SUB(LONG, 1, 1596)) & 'x'"),
        QStringLiteral("CHOOSE(1, LONG & LONG & LONG, 1)"),
        QStringLiteral("HUGE * HUGE"),
        QStringLiteral("HUGE / TINY"),
        QStringLiteral("ROUND(HUGE, 15) * 99999999999999999999"),
    };
    for (const QString& text : growing)
        EXPECT_EQ(timing.run(text, names).errorCode, 1104) << text.toStdString();
    EXPECT_LT(timing.slowestSeconds, 1.0) << timing.slowest.toStdString();
}

TEST(FormulaFuzzTest, NumbersWrittenAsTextAreReadBackByDeform)
{
    Generator generate(4096);
    for (int i = 0; i < 20000; ++i) {
        // Any finite double: a text without exponent and within the limits.
        double any;
        const std::uint64_t bits = generate.number();
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any)) {
            const QString text = formulaNumberText(any);
            ASSERT_LE(text.size(), 330) << any;
            ASSERT_FALSE(text.contains(QLatin1Char('e')) || text.contains(QLatin1Char('.'))) << text.toStdString();
        }
        // Numbers of everyday size come back as they were shown.
        const double everyday = (generate.chance(50) ? -1 : 1) * std::pow(10.0, generate.below(17) - 3)
                                * double(generate.number() % 1000000) / 1000000.0;
        const double shown = deform(formulaNumberText(everyday));
        ASSERT_NEAR(shown, everyday, std::fabs(everyday) * 1e-14 + 1e-15) << formulaNumberText(everyday).toStdString();
    }
}
