// Evaluating a formula read into its tree, and the Formula object around both.
#include "global/Deform.h"
#include "global/FormulaTree.h"

#include <algorithm>
#include <cmath>

namespace global {

namespace {

using Node = Formula::Tree::Node;
using Kind = Formula::Tree::Kind;

FormulaResult failure(int code, const QString& text)
{
    FormulaResult result;
    result.errorCode = code;
    result.errorText = text;
    return result;
}

// A count or position given as a number, cut towards zero (kept as a double: characters() brings it
// within the text before it becomes an index).
double wholeNumber(const FormulaValue& value)
{
    return std::trunc(value.toNumber());
}

// The characters of t from position first to position last (counted from 1), where they exist.
QString characters(const QString& t, double first, double last)
{
    first = std::max(first, 1.0);
    last = std::min(last, double(t.size()));
    if (last < first)
        return {};
    return t.mid(qsizetype(first) - 1, qsizetype(last - first) + 1);
}

double remainder(double a, double b)
{
    // The sign of the divisor, as a spreadsheet's MOD: -7 % 3 is 2.
    double r = std::fmod(a, b);
    if (r != 0 && ((r < 0) != (b < 0)))
        r += b;
    return r;
}

double rounded(double x, double digits)
{
    if (digits > 15)
        return x;
    digits = std::max(digits, -308.0);
    const double scale = std::pow(10.0, std::fabs(digits));
    const double scaled = digits >= 0 ? x * scale : x / scale;
    if (!std::isfinite(scaled))
        return x;
    const double whole = std::round(significantDigits15(scaled));   // half away from zero
    return digits >= 0 ? whole / scale : whole * scale;
}

class Evaluator {
public:
    Evaluator(const Formula::Tree& tree, const FormulaBindings& names) : tree_(tree), names_(names) {}

    FormulaResult run()
    {
        if (!checkNames())
            return error_;
        FormulaResult result;
        if (!evaluate(tree_.root, result.value))
            return error_;
        return result;
    }

private:
    // Every name must be bound, also one on a path that this evaluation would not take.
    bool checkNames()
    {
        const Node* first = nullptr;
        for (const Node& node : tree_.nodes)
            if (node.kind == Kind::Name && !names_.find(node.text) && (!first || node.position < first->position))
                first = &node;
        if (!first)
            return true;
        return fail(formula_error::UnknownName, QStringLiteral("unknown name %1 at character %2").arg(first->text).arg(first->position));
    }

    bool evaluate(int index, FormulaValue& out)
    {
        const Node& node = tree_.nodes[std::size_t(index)];
        switch (node.kind) {
        case Kind::Number: out = FormulaValue::number(node.number); return true;
        case Kind::Text: out = FormulaValue::text(node.text); return true;
        case Kind::Name: return nameValue(node, out);
        case Kind::Unary: return unary(node, out);
        case Kind::Chain: return chain(node, out);
        case Kind::Call: return call(node, out);
        }
        return false;
    }

    bool nameValue(const Node& node, FormulaValue& out)
    {
        out = *names_.find(node.text);
        if (out.isNumber())
            return number(out.toNumber(), out);
        if (out.toText().size() > FormulaMaxLength)
            return fail(formula_error::ResultTooLong,
                        QStringLiteral("the value of %1 is longer than %2 characters").arg(node.text).arg(FormulaMaxLength));
        return true;
    }

    bool unary(const Node& node, FormulaValue& out)
    {
        FormulaValue operand;
        if (!evaluate(node.operands[0], operand))
            return false;
        switch (node.op) {
        case FormulaOp::Negate: return number(-operand.toNumber(), out);
        case FormulaOp::Not: return truth(!operand.isTrue(), out);
        default: return number(operand.toNumber(), out);
        }
    }

    bool chain(const Node& node, FormulaValue& out)
    {
        if (!evaluate(node.operands[0], out))
            return false;
        for (std::size_t i = 0; i < node.ops.size(); ++i) {
            const FormulaOp op = node.ops[i];
            // AND and OR leave the rest unevaluated once the answer is known.
            if ((op == FormulaOp::And && !out.isTrue()) || (op == FormulaOp::Or && out.isTrue()))
                return truth(op == FormulaOp::Or, out);
            FormulaValue right;
            if (!evaluate(node.operands[i + 1], right) || !binary(op, out, right, out))
                return false;
        }
        return true;
    }

    bool binary(FormulaOp op, const FormulaValue& a, const FormulaValue& b, FormulaValue& out)
    {
        switch (op) {
        case FormulaOp::Add: return number(a.toNumber() + b.toNumber(), out);
        case FormulaOp::Subtract: return number(a.toNumber() - b.toNumber(), out);
        case FormulaOp::Multiply: return number(a.toNumber() * b.toNumber(), out);
        case FormulaOp::Divide:
            if (b.toNumber() == 0)
                return fail(formula_error::DivisionByZero, QStringLiteral("division by zero"));
            return number(a.toNumber() / b.toNumber(), out);
        case FormulaOp::Remainder:
            if (b.toNumber() == 0)
                return fail(formula_error::DivisionByZero, QStringLiteral("division by zero (remainder)"));
            return number(remainder(a.toNumber(), b.toNumber()), out);
        case FormulaOp::Equal: return truth(compareFormulaValues(a, b) == 0, out);
        case FormulaOp::NotEqual: return truth(compareFormulaValues(a, b) != 0, out);
        case FormulaOp::Less: return truth(compareFormulaValues(a, b) < 0, out);
        case FormulaOp::LessOrEqual: return truth(compareFormulaValues(a, b) <= 0, out);
        case FormulaOp::Greater: return truth(compareFormulaValues(a, b) > 0, out);
        case FormulaOp::GreaterOrEqual: return truth(compareFormulaValues(a, b) >= 0, out);
        case FormulaOp::And: return truth(a.isTrue() && b.isTrue(), out);
        case FormulaOp::Or: return truth(a.isTrue() || b.isTrue(), out);
        case FormulaOp::Join: return text(a.toText() + b.toText(), out);
        default: return false;
        }
    }

    bool call(const Node& node, FormulaValue& out)
    {
        if (node.function == FormulaFunction::Choose)
            return choose(node, out);
        std::vector<FormulaValue> args(node.operands.size());
        for (std::size_t i = 0; i < args.size(); ++i)
            if (!evaluate(node.operands[i], args[i]))
                return false;
        const auto has = [&](std::size_t i) { return i < args.size(); };
        const QString t = args[0].toText();
        switch (node.function) {
        case FormulaFunction::Sub: {
            const double start = wholeNumber(args[1]);
            const double last = has(2) ? start + wholeNumber(args[2]) - 1 : double(t.size());
            return text(characters(t, start, last), out);
        }
        case FormulaFunction::Left: {
            const double n = has(1) ? wholeNumber(args[1]) : 1;
            return text(characters(t, 1, n), out);
        }
        case FormulaFunction::Right: {
            const double n = has(1) ? wholeNumber(args[1]) : 1;
            return text(characters(t, double(t.size()) - n + 1, double(t.size())), out);
        }
        case FormulaFunction::Clip: return text(t.trimmed(), out);
        case FormulaFunction::Upper: return text(t.toUpper(), out);
        case FormulaFunction::Lower: return text(t.toLower(), out);
        case FormulaFunction::Len: return number(double(t.size()), out);
        case FormulaFunction::Instring: return number(instring(t, args[1].toText(), has(2) ? wholeNumber(args[2]) : 1), out);
        case FormulaFunction::Int: return number(std::floor(significantDigits15(args[0].toNumber())), out);
        case FormulaFunction::Round: return number(rounded(args[0].toNumber(), has(1) ? wholeNumber(args[1]) : 0), out);
        case FormulaFunction::Abs: return number(std::fabs(args[0].toNumber()), out);
        case FormulaFunction::Deform: return number(deform(t), out);
        case FormulaFunction::Choose: break;
        }
        return false;
    }

    static double instring(const QString& find, const QString& t, double start)
    {
        start = std::max(start, 1.0);
        if (start > double(t.size()) + 1)
            return 0;
        return double(t.indexOf(find, qsizetype(start) - 1, Qt::CaseSensitive) + 1);
    }

    // CHOOSE(i, v1, ..., vn): only the chosen value is evaluated; an i outside 1..n takes vn.
    bool choose(const Node& node, FormulaValue& out)
    {
        FormulaValue index;
        if (!evaluate(node.operands[0], index))
            return false;
        const std::size_t values = node.operands.size() - 1;
        const double i = wholeNumber(index);
        const std::size_t chosen = (i >= 1 && i <= double(values)) ? std::size_t(i) : values;
        return evaluate(node.operands[chosen], out);
    }

    bool number(double value, FormulaValue& out)
    {
        if (!std::isfinite(value))
            return fail(formula_error::ResultTooLong, QStringLiteral("the number is out of range"));
        out = FormulaValue::number(value);
        return true;
    }

    bool text(const QString& value, FormulaValue& out)
    {
        if (value.size() > FormulaMaxLength)
            return fail(formula_error::ResultTooLong, QStringLiteral("the text is longer than %1 characters").arg(FormulaMaxLength));
        out = FormulaValue::text(value);
        return true;
    }

    static bool truth(bool value, FormulaValue& out)
    {
        out = FormulaValue::number(value ? 1 : 0);
        return true;
    }

    bool fail(int code, const QString& text)
    {
        error_ = failure(code, text);
        return false;
    }

    const Formula::Tree& tree_;
    const FormulaBindings& names_;
    FormulaResult error_;
};

} // namespace

FormulaResult evaluateFormulaTree(const Formula::Tree& tree, const FormulaBindings& names)
{
    return Evaluator(tree, names).run();
}

Formula::Formula(const QString& text) : text_(text), tree_(std::make_unique<Tree>())
{
    readError_ = readFormula(text, *tree_);
}

Formula::~Formula() = default;
Formula::Formula(Formula&&) noexcept = default;
Formula& Formula::operator=(Formula&&) noexcept = default;

QStringList Formula::names() const
{
    std::vector<const Tree::Node*> found;
    if (tree_)
        for (const Tree::Node& node : tree_->nodes)
            if (node.kind == Tree::Kind::Name)
                found.push_back(&node);
    std::sort(found.begin(), found.end(), [](const Tree::Node* a, const Tree::Node* b) { return a->position < b->position; });
    QStringList names;
    for (const Tree::Node* node : found)
        if (!names.contains(node->text))
            names << node->text;
    return names;
}

FormulaResult Formula::evaluate(const FormulaBindings& names) const
{
    if (!isValid())
        return readError_;
    if (!tree_ || tree_->root < 0)   // a formula moved away
        return failure(formula_error::Syntax, QStringLiteral("syntax error: the formula is empty"));
    return evaluateFormulaTree(*tree_, names);
}

FormulaResult evaluateFormula(const QString& text, const FormulaBindings& names)
{
    return Formula(text).evaluate(names);
}

} // namespace global
