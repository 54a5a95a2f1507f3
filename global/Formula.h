#pragma once
// Formulas of the import field map: how a field's value is computed from the values that the
// reading procedure binds (a spreadsheet row, a piece description, the current records).
//
//   FormulaBindings names;
//   names.bind("LENGHT", "1 234,5");                 // values come as texts
//   names.bind("BREAK:ORDER", "Z/12");
//   FormulaResult r = evaluateFormula("BREAK:ORDER & '-' & ROUND(LENGHT / 10)", names);
//   r.ok() ? r.value.toText() : r.errorText         // "Z/12-123"
//
// The language, as a spreadsheet user writes it:
// - numbers with "." as the decimal point ("," separates the arguments of a function);
//   'text' and "text" (a quote doubled inside stands for itself);
// - names of letters, digits, "_" and ":" starting with a letter or "_" (VAR, BREAK:ORDER,
//   CUT:LENGHT); names and function names ignore letter case; AND, OR and NOT are words of the
//   language, not names;
// - operators from the tightest: unary - and +; * / %; + -; = <> < <= > >=; NOT; AND; OR; & (joins
//   texts, loosest of all, so "'Dł. ' & LENGHT + 10" joins the sum); parentheses; NOT where an
//   operand stands negates what follows it at its own level ("A = NOT B = C" is A = NOT (B = C));
// - functions SUB(t,start[,len]) LEFT(t[,n]) RIGHT(t[,n]) CLIP(t) UPPER(t) LOWER(t) LEN(t)
//   INSTRING(find,t[,start]) INT(x) ROUND(x[,digits]) ABS(x) CHOOSE(i,v1[,v2...]) DEFORM(t).
//
// Values are texts or numbers, converted where an operator or a function needs the other kind:
// - a text becomes a number as the program reads typed numbers (deform(): "1 234,5" is 1234.5, a
//   text without a number is 0), so bound values take part in arithmetic as they are;
// - a number becomes a text with a decimal comma, without grouping and without trailing zeros,
//   rounded to 15 significant digits ("0,3" for 0.1 + 0.2, "12" for 12.0, "-2,5");
// - comparisons are numeric when both sides are numbers or texts that read wholly as a number
//   ("1 500" > "900" is true, "007" = 7 is true; a blank text counts as 0 against a number;
//   numbers that agree in 15 significant digits are equal, so 0.1 + 0.2 = 0.3);
//   otherwise texts are compared without regard to letter case or trailing spaces, Polish letters
//   in the Polish alphabet's order (a < ą < b ... z < ź < ż);
// - comparisons, AND, OR and NOT give 1 (true) or 0 (false); a number is true when it is not 0; a
//   text is false when blank or when it reads wholly as the number 0, and true otherwise. AND and
//   OR do not evaluate their right side when the left side decides.
// Functions:
// - SUB(t, start, len): the characters at positions start .. start+len-1 (the first is 1) that exist
//   in t; SUB(t, start) runs to the end. LEFT(t, n) and RIGHT(t, n) the first / last n characters
//   (one without n). Positions and counts are cut to whole numbers towards zero.
// - CLIP(t): t without white space at either end. UPPER / LOWER: letter case, Polish letters
//   included. LEN(t): the number of characters.
// - INSTRING(find, t, start): the position of the first occurrence of find in t at or after
//   start (default 1), letter case counting; 0 when there is none.
// - INT(x): the whole number at or below x (INT(-2.5) is -3). ROUND(x, digits): x rounded half away
//   from zero to that many decimals (default 0; negative digits round to tens, hundreds, ...).
//   ABS(x). DEFORM(t): the number written in t.
// - CHOOSE(i, v1, v2, ..., vn): vi for a whole i from 1 to n, else the last value vn. A comparison
//   gives 1 or 0, so CHOOSE(LEN(X) > 0, X, 'brak') chooses like an if. Only the chosen value is
//   evaluated.
// Errors (a number and a text; evaluation has no effect beyond its result):
//   1100 syntax (also a formula longer than 4096 characters or nested more than 100 deep),
//   1101 a name that is not bound (checked before anything is evaluated, on every path),
//   1102 an unknown function or a wrong number of arguments,
//   1103 division by zero (/ and %),
//   1104 a text longer than 4096 characters, or a number out of range, as a result of any step.

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

namespace global {

namespace formula_error {
inline constexpr int Syntax = 1100;
inline constexpr int UnknownName = 1101;
inline constexpr int UnknownFunction = 1102;   // also a wrong number of arguments
inline constexpr int DivisionByZero = 1103;
inline constexpr int ResultTooLong = 1104;
} // namespace formula_error

// The longest text a formula may have, and the longest text it may produce.
inline constexpr int FormulaMaxLength = 4096;

class FormulaValue {
public:
    FormulaValue() = default;   // the blank text
    static FormulaValue number(double value);
    static FormulaValue text(const QString& value);

    bool isNumber() const { return isNumber_; }
    double toNumber() const;
    QString toText() const;
    bool isTrue() const;

private:
    bool isNumber_ = false;
    double number_ = 0;
    QString text_;
};

// The text of a number as formulas write it: decimal comma, 15 significant digits, no exponent.
QString formulaNumberText(double value);
// Whether the text, without surrounding spaces, is one number as deform() reads it ("1 234,5",
// "-12", "1.234.567,89"), with nothing else in it.
bool readsAsNumber(const QString& text);
// Whether the text is a name of the language (letters, digits, "_" and ":", not starting with a
// digit or ":", and not one of the words AND, OR, NOT).
bool isFormulaName(const QString& text);

// The named values a formula is evaluated against; names ignore letter case.
class FormulaBindings {
public:
    void bind(const QString& name, const QString& value) { values_.insert(name.toUpper(), FormulaValue::text(value)); }
    void bind(const QString& name, double value) { values_.insert(name.toUpper(), FormulaValue::number(value)); }
    void bind(const QString& name, const FormulaValue& value) { values_.insert(name.toUpper(), value); }
    bool contains(const QString& name) const { return values_.contains(name.toUpper()); }
    // The value of a name given in upper case, or nullptr.
    const FormulaValue* find(const QString& upperName) const
    {
        const auto it = values_.constFind(upperName);
        return it == values_.cend() ? nullptr : &it.value();
    }

private:
    QHash<QString, FormulaValue> values_;
};

struct FormulaResult {
    FormulaValue value;
    int errorCode = 0;
    QString errorText;

    bool ok() const { return errorCode == 0; }
    // "error 1101: unknown name X" for messages; empty when the formula succeeded.
    QString errorMessage() const;
};

// A formula read once and evaluated as often as needed (for example once per imported row).
class Formula {
public:
    explicit Formula(const QString& text);
    ~Formula();
    Formula(Formula&&) noexcept;
    Formula& operator=(Formula&&) noexcept;

    const QString& text() const { return text_; }
    // Whether the text was read without a syntax or function error; if not, error() tells why and
    // every evaluation answers that error.
    bool isValid() const { return readError_.ok(); }
    const FormulaResult& error() const { return readError_; }
    // The names the formula uses, in upper case, in the order they first occur.
    QStringList names() const;

    FormulaResult evaluate(const FormulaBindings& names) const;

    struct Tree;

private:
    QString text_;
    FormulaResult readError_;
    std::unique_ptr<Tree> tree_;
};

// Reads and evaluates a formula in one step.
FormulaResult evaluateFormula(const QString& text, const FormulaBindings& names);

} // namespace global
