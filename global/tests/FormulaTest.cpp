// Formulas of the import field map: expressions with their results and errors.

#include "global/Formula.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace global;

namespace {

struct Case {
    const char* expression;
    const char* expected;   // the result as text, or nullptr when an error is expected
    int error = 0;
};

// Names bound for every case.
FormulaBindings sampleNames()
{
    FormulaBindings names;
    names.bind("LENGHT", QStringLiteral("1 234,5"));
    names.bind("WEIGHT", QStringLiteral("1500"));
    names.bind("PCS", QStringLiteral("3"));
    names.bind("BREAK:ORDER", QStringLiteral("Z/12"));
    names.bind("CUT:LENGHT", 1500.0);
    names.bind("VAR", QStringLiteral("  Rama okna  "));
    names.bind("EMPTY", QString());
    names.bind("ZERO", QStringLiteral("0"));
    names.bind("DESCR_1", QStringLiteral("lewy"));
    names.bind("PROFIL2", QStringLiteral("P-2"));
    names.bind(QStringLiteral("DŁUGOŚĆ"), QStringLiteral("600"));
    return names;
}

void check(const std::vector<Case>& cases)
{
    const FormulaBindings names = sampleNames();
    for (const Case& c : cases) {
        const QString expression = QString::fromUtf8(c.expression);
        const FormulaResult r = evaluateFormula(expression, names);
        if (c.expected) {
            EXPECT_TRUE(r.ok()) << c.expression << " -> " << r.errorMessage().toStdString();
            EXPECT_EQ(r.value.toText(), QString::fromUtf8(c.expected)) << c.expression;
        } else {
            EXPECT_EQ(r.errorCode, c.error) << c.expression << " -> " << r.errorMessage().toStdString();
            EXPECT_FALSE(r.errorText.isEmpty()) << c.expression;
        }
    }
}

Case error(const char* expression, int code)
{
    return {expression, nullptr, code};
}

} // namespace

TEST(FormulaTest, ArithmeticAndPrecedence)
{
    check({
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"10 - 2 - 3", "5"},
        {"100 / 10 / 5", "2"},
        {"2 * 3 % 4", "2"},
        {"7 / 2", "3,5"},
        {"-7 % 3", "2"},     // the remainder takes the divisor's sign
        {"7 % -3", "-2"},
        {"5.5 % 2", "1,5"},
        {"--3", "3"},
        {"-(2 + 3) * 2", "-10"},
        {".5 * 4", "2"},
        {"0.1 + 0.2", "0,3"},
        {"1 / 3", "0,333333333333333"},
        {"2 / 3", "0,666666666666667"},
        {"1000000 * 1000000", "1000000000000"},
        {"0 * -1", "0"},
        {"\t1\n+\r\n2 ", "3"},
    });
}

TEST(FormulaTest, TextsAreReadAsNumbersWithADecimalComma)
{
    check({
        {"LENGHT * 2", "2469"},
        {"LENGHT + 0.5", "1235"},
        {"'2,5' + 1", "3,5"},
        {"'1.234.567,89' * 1", "1234567,89"},
        {"WEIGHT / 1000", "1,5"},
        {"CUT:LENGHT / 1000", "1,5"},
        {"PCS * CUT:LENGHT", "4500"},
        {"+'12'", "12"},
        {"'12 mm' + 1", "13"},
        {"'abc' + 1", "1"},
        {"EMPTY * 5", "0"},
        {"DEFORM('1 234,5')", "1234,5"},
        {"DEFORM('1,234.56')", "1234,56"},
        {"DEFORM(2.5)", "2,5"},
        // in the formula itself the comma separates arguments: a decimal comma is refused, not misread
        error("1,5", 1100),
        error("LENGHT * 0,5", 1100),
    });
}

TEST(FormulaTest, NamesWithColonsDigitsAndAnyCase)
{
    check({
        {"BREAK:ORDER", "Z/12"},
        {"break:order & '/' & Cut:Lenght", "Z/12/1500"},
        {"VaR", "  Rama okna  "},
        {"DESCR_1 & PROFIL2", "lewyP-2"},
        {"długość / 100", "6"},
        {"_X", nullptr, 1101},
        error("BREAK:ORDERS", 1101),
    });
    EXPECT_TRUE(isFormulaName("BREAK:ORDER"));
    EXPECT_TRUE(isFormulaName("_a1"));
    EXPECT_TRUE(isFormulaName(QStringLiteral("Długość")));
    EXPECT_FALSE(isFormulaName("1A"));
    EXPECT_FALSE(isFormulaName(":A"));
    EXPECT_FALSE(isFormulaName("A B"));
    EXPECT_FALSE(isFormulaName("A-B"));
    EXPECT_FALSE(isFormulaName("not"));
    EXPECT_FALSE(isFormulaName(""));
}

TEST(FormulaTest, JoiningTextsIsLoosestOfAll)
{
    check({
        {"'a' & 'b'", "ab"},
        {"'Dł. ' & 1000 + 500", "Dł. 1500"},
        {"'x' & 1 = 1", "x1"},
        {"1 = 1 & ''", "1"},
        {"1 & 2", "12"},
        {"'L=' & 2.5 & ' m'", "L=2,5 m"},
        {"BREAK:ORDER & '-' & ROUND(LENGHT / 10)", "Z/12-123"},
        {"\"it's\"", "it's"},
        {"'it''s'", "it's"},
        {"'say \"hi\"'", "say \"hi\""},
        {"\"a\"\"b\"", "a\"b"},
        {"''", ""},
        {"'a' & EMPTY & 'b'", "ab"},
    });
}

TEST(FormulaTest, ComparisonsNumericWhereBothSidesAreNumbers)
{
    check({
        {"2 <> 3", "1"},
        {"2 <= 2", "1"},
        {"2 >= 3", "0"},
        {"0.1 + 0.2 = 0.3", "1"},
        {"'1 500' > '900'", "1"},     // two texts that read as numbers compare as numbers
        {"LENGHT > 1000", "1"},
        {"'007' = 7", "1"},
        {"EMPTY = 0", "1"},           // blank counts as 0 against a number
        {"EMPTY = ''", "1"},
        {"EMPTY = '0'", "0"},
        {"'10 mm' < '9 mm'", "1"},    // not numbers: compared as texts
        {"'abc' > 5", "1"},
        {"1 < 2 < 3", "1"},           // left to right: (1 < 2) < 3
        {"3 > 2 > 1", "0"},
    });
}

TEST(FormulaTest, TextsCompareWithoutCaseAndInPolishOrder)
{
    check({
        {"'abc' = 'ABC  '", "1"},
        {"'abc' = ' abc'", "0"},
        {"'łódź' = 'ŁÓDŹ'", "1"},
        {"'a' < 'ą'", "1"},
        {"'ą' < 'b'", "1"},
        {"'z' < 'ź'", "1"},
        {"'Ź' < 'ż'", "1"},
        {"'Łódź' < 'Mielec'", "1"},
        {"'Łódź' > 'Lublin'", "1"},
        {"'ab' < 'abc'", "1"},
        {"'ab' <> 'abc'", "1"},
    });
}

TEST(FormulaTest, LogicAndShortCircuit)
{
    check({
        {"1 AND 0", "0"},
        {"1 and 2", "1"},
        {"0 OR 0", "0"},
        {"1 OR 0 AND 0", "1"},        // AND binds tighter
        {"(1 OR 0) AND 0", "0"},
        {"NOT 0", "1"},
        {"NOT 1 = 2", "1"},           // NOT (1 = 2)
        {"NOT NOT 5", "1"},
        {"1 = NOT 0", "1"},           // NOT where an operand stands
        {"3 = 2 + NOT 0 = 1", "1"},   // 3 = 2 + NOT (0 = 1)
        {"-NOT 0", "-1"},
        {"NOT 'abc'", "0"},           // a text that is no number is true
        {"NOT ''", "1"},
        {"NOT ZERO", "1"},
        {"NOT '0,0'", "1"},
        {"0 AND 1 / 0", "0"},
        {"1 OR 1 / 0", "1"},
        {"ZERO <> 0 AND 10 / ZERO > 1", "0"},
        error("1 AND 1 / 0", 1103),
        error("0 OR 1 / 0", 1103),
    });
}

TEST(FormulaTest, TextFunctions)
{
    check({
        {"SUB('abcdef', 2, 3)", "bcd"},
        {"SUB('abcdef', 4)", "def"},
        {"SUB('abc', 0, 2)", "a"},
        {"SUB('abc', 5, 2)", ""},
        {"SUB('abc', 2, -1)", ""},
        {"SUB('abc', 1.9, 2.9)", "ab"},
        {"SUB('Łódź', 2, 2)", "ód"},
        {"SUB('abc', -5000000000000, 5000000000002)", "a"},
        {"SUB('abc', 2, 99999999999999999999)", "bc"},
        {"LEFT('abc', 2)", "ab"},
        {"LEFT('abc')", "a"},
        {"LEFT('abc', 10)", "abc"},
        {"LEFT('abc', -1)", ""},
        {"RIGHT('abc', 2)", "bc"},
        {"RIGHT('abc')", "c"},
        {"RIGHT('abc', 0)", ""},
        {"RIGHT('abc', 99)", "abc"},
        {"CLIP(VAR)", "Rama okna"},
        {"CLIP('')", ""},
        {"UPPER('łódź żółć ąę')", "ŁÓDŹ ŻÓŁĆ ĄĘ"},
        {"LOWER('ĄĘ ABC Ś')", "ąę abc ś"},
        {"upper(DESCR_1)", "LEWY"},
        {"LEN('żółw')", "4"},
        {"LEN(EMPTY)", "0"},
        {"LEN(12.5)", "4"},            // "12,5"
        {"INSTRING('b', 'abcb')", "2"},
        {"INSTRING('b', 'abcb', 3)", "4"},
        {"INSTRING('x', 'abc')", "0"},
        {"INSTRING('B', 'abc')", "0"},  // letter case counts
        {"INSTRING('', 'abc')", "1"},
        {"INSTRING('c', 'abc', 10)", "0"},
        {"INSTRING('a', 'abc', -3)", "1"},
        {"SUB(BREAK:ORDER, INSTRING('/', BREAK:ORDER) + 1)", "12"},
    });
}

TEST(FormulaTest, NumberFunctions)
{
    check({
        {"INT(2.7)", "2"},
        {"INT(-2.5)", "-3"},
        {"INT('3,9')", "3"},
        {"INT((0.3 - 0.1) * 10)", "2"},   // 1.9999999999999998 shows as 2 and is 2
        {"ROUND(2.5)", "3"},
        {"ROUND(-2.5)", "-3"},
        {"ROUND(2.675, 2)", "2,68"},
        {"ROUND(1.005, 2)", "1,01"},
        {"ROUND(1234, -2)", "1200"},
        {"ROUND(1250, -2)", "1300"},
        {"ROUND(LENGHT, 0)", "1235"},
        {"ROUND(1 / 3, 4)", "0,3333"},
        {"ROUND(5, 400)", "5"},
        {"ROUND(5, -400)", "0"},
        {"ABS(-3.5)", "3,5"},
        {"ABS('-2')", "2"},
        {"CHOOSE(2, 'a', 'b', 'c')", "b"},
        {"CHOOSE(2.9, 'a', 'b', 'c')", "b"},
        {"CHOOSE(5, 'a', 'b', 'c')", "c"},     // out of range: the last value
        {"CHOOSE(0, 'a', 'b')", "b"},
        {"CHOOSE(1 > 0, 'yes', 'no')", "yes"},
        {"CHOOSE(1 < 0, 'yes', 'no')", "no"},
        {"CHOOSE(LEN(EMPTY) > 0, EMPTY, 'brak')", "brak"},
        {"CHOOSE(PCS, 'a', 'b', 'c', 'd')", "c"},
        {"CHOOSE(1, 'a', 1 / 0)", "a"},        // only the chosen value is evaluated
        {"CHOOSE(1, 7)", "7"},
        {"DEFORM('12 mm')", "12"},
    });
}

TEST(FormulaTest, EachErrorNumber)
{
    std::vector<Case> cases = {
        // 1100 syntax
        error("", 1100), error("   ", 1100), error("1 +", 1100), error("(1", 1100), error("1)", 1100),
        error("'abc", 1100), error("\"abc'", 1100), error("1 2", 1100), error("PCS PCS", 1100),
        error("#", 1100), error("SUB('a',)", 1100), error("SUB('a' 1)", 1100), error("12abc", 1100),
        error("1.2.3", 1100), error("AND", 1100), error("1 AND", 1100), error("NOT", 1100),
        error("()", 1100), error("1 ** 2", 1100), error("1 = = 2", 1100), error("=1", 1100),
        error("$X", 1100), error("'a' & ", 1100),
        // 1101 unknown name, on every path
        error("X + 1", 1101), error("0 AND X", 1101), error("CHOOSE(1, 'a', Y)", 1101),
        error("BREAK:CODE", 1101),
        // 1102 unknown function or wrong number of arguments
        error("FOO(1)", 1102), error("VAR(1)", 1102), error("SUB('a')", 1102), error("SUB('a',1,2,3)", 1102),
        error("LEN('a', 'b')", 1102), error("CHOOSE(1)", 1102), error("LEFT()", 1102), error("ROUND(1,2,3)", 1102),
        error("IF(1, 2, 3)", 1102),
        // 1103 division by zero
        error("1 / 0", 1103), error("5 % 0", 1103), error("1 / (2 - 2)", 1103), error("1 / ''", 1103),
        error("PCS / ZERO", 1103), error("CHOOSE(2, 'a', 1 / 0)", 1103),
        // 1104 result too long or out of range
        error("99999999999999999999 * 99999999999999999999 * 99999999999999999999 * 99999999999999999999"
              " * 99999999999999999999 * 99999999999999999999 * 99999999999999999999 * 99999999999999999999"
              " * 99999999999999999999 * 99999999999999999999 * 99999999999999999999 * 99999999999999999999"
              " * 99999999999999999999 * 99999999999999999999 * 99999999999999999999 * 99999999999999999999",
              1104),
    };
    check(cases);

    // The first error in reading order is the one reported, with its position.
    FormulaBindings none;
    FormulaResult r = evaluateFormula("X + Y", none);
    EXPECT_EQ(r.errorMessage(), QStringLiteral("error 1101: unknown name X at character 1"));
    r = evaluateFormula("1 + (2 *", none);
    EXPECT_EQ(r.errorMessage(), QStringLiteral("error 1100: syntax error at character 9: the formula ends too early"));
    r = evaluateFormula("SUB('a')", none);
    EXPECT_EQ(r.errorMessage(), QStringLiteral("error 1102: SUB takes 2 to 3 arguments, 1 given"));
    r = evaluateFormula("1 / 0", none);
    EXPECT_EQ(r.errorMessage(), QStringLiteral("error 1103: division by zero"));
    EXPECT_TRUE(evaluateFormula("1", none).errorMessage().isEmpty());
}

TEST(FormulaTest, TextsAndFormulasAreLimitedTo4096Characters)
{
    FormulaBindings names;
    names.bind("HALF", QString(2048, QLatin1Char('x')));
    names.bind("LONG", QString(4097, QLatin1Char('y')));
    EXPECT_EQ(evaluateFormula("HALF & HALF", names).value.toText().size(), 4096);
    EXPECT_EQ(evaluateFormula("HALF & HALF & 'z'", names).errorCode, 1104);
    EXPECT_EQ(evaluateFormula("UPPER(HALF & HALF & HALF)", names).errorCode, 1104);
    EXPECT_EQ(evaluateFormula("LEN(LONG)", names).errorCode, 1104);   // a bound value over the limit

    // Upper case may lengthen a text: "ß" becomes "SS".
    names.bind("SHARP", QString(2049, QChar(0x00DF)));
    EXPECT_EQ(evaluateFormula("UPPER(SHARP)", names).errorCode, 1104);
    EXPECT_EQ(evaluateFormula("LEN(SHARP)", names).value.toText(), QStringLiteral("2049"));

    const QString longest = QStringLiteral("1") + QString(4093, QLatin1Char(' ')) + QStringLiteral("+1");
    ASSERT_EQ(longest.size(), 4096);
    EXPECT_EQ(evaluateFormula(longest, names).value.toText(), QStringLiteral("2"));
    EXPECT_EQ(evaluateFormula(QLatin1Char(' ') + longest, names).errorCode, 1100);
}

TEST(FormulaTest, NestingIsLimitedToAHundredLevels)
{
    FormulaBindings none;
    const auto nested = [](int depth, const char* open, const char* close) {
        return QString::fromLatin1(open).repeated(depth) + QStringLiteral("1") + QString::fromLatin1(close).repeated(depth);
    };
    EXPECT_EQ(evaluateFormula(nested(100, "(", ")"), none).value.toText(), QStringLiteral("1"));
    EXPECT_EQ(evaluateFormula(nested(101, "(", ")"), none).errorCode, 1100);
    EXPECT_EQ(evaluateFormula(nested(100, "-", ""), none).value.toText(), QStringLiteral("1"));
    EXPECT_EQ(evaluateFormula(nested(101, "-", ""), none).errorCode, 1100);
    EXPECT_EQ(evaluateFormula(nested(100, "ABS(", ")"), none).value.toText(), QStringLiteral("1"));
    EXPECT_EQ(evaluateFormula(nested(101, "ABS(", ")"), none).errorCode, 1100);
    EXPECT_EQ(evaluateFormula(nested(101, "NOT ", ""), none).errorCode, 1100);
    EXPECT_EQ(evaluateFormula(QStringLiteral("(").repeated(4000), none).errorCode, 1100);
    // A long flat chain is no nesting.
    EXPECT_EQ(evaluateFormula(QStringLiteral("1").append(QStringLiteral("+1").repeated(2000)), none).value.toText(),
              QStringLiteral("2001"));
}

TEST(FormulaTest, AFormulaIsReadOnceAndEvaluatedWithOtherValues)
{
    const Formula formula(QStringLiteral("CHOOSE(LEN(Code) > 0, code & '/' & Pcs, 'brak') & ' ' & X:Y"));
    ASSERT_TRUE(formula.isValid()) << formula.error().errorMessage().toStdString();
    EXPECT_EQ(formula.names(), QStringList({"CODE", "PCS", "X:Y"}));

    FormulaBindings names;
    names.bind("code", QStringLiteral("A1"));
    names.bind("PCS", 4.0);
    names.bind("x:y", QStringLiteral("!"));
    EXPECT_EQ(formula.evaluate(names).value.toText(), QStringLiteral("A1/4 !"));
    names.bind("CODE", QString());
    EXPECT_EQ(formula.evaluate(names).value.toText(), QStringLiteral("brak !"));

    const Formula broken(QStringLiteral("SUB("));
    EXPECT_FALSE(broken.isValid());
    EXPECT_EQ(broken.evaluate(names).errorCode, 1100);
    EXPECT_TRUE(broken.names().isEmpty());
}

TEST(FormulaTest, NumbersAsTexts)
{
    EXPECT_EQ(formulaNumberText(0), QStringLiteral("0"));
    EXPECT_EQ(formulaNumberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(formulaNumberText(12), QStringLiteral("12"));
    EXPECT_EQ(formulaNumberText(-2.5), QStringLiteral("-2,5"));
    EXPECT_EQ(formulaNumberText(123456.789), QStringLiteral("123456,789"));
    EXPECT_EQ(formulaNumberText(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(formulaNumberText(1e-20), QStringLiteral("0"));
    EXPECT_EQ(formulaNumberText(-1e-20), QStringLiteral("0"));
    EXPECT_EQ(formulaNumberText(0.000123), QStringLiteral("0,000123"));
    EXPECT_EQ(formulaNumberText(999.99999999999999), QStringLiteral("1000"));

    EXPECT_TRUE(readsAsNumber(QStringLiteral(" 1 234,5 ")));
    EXPECT_TRUE(readsAsNumber(QStringLiteral("-12")));
    EXPECT_TRUE(readsAsNumber(QStringLiteral(",5")));
    EXPECT_FALSE(readsAsNumber(QStringLiteral("")));
    EXPECT_FALSE(readsAsNumber(QStringLiteral(".")));
    EXPECT_FALSE(readsAsNumber(QStringLiteral("12 mm")));
    EXPECT_FALSE(readsAsNumber(QStringLiteral("1-2")));
}
