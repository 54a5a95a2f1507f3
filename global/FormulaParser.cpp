// Reading a formula: the text is cut into tokens, then read by precedence into the tree.
#include "global/FormulaTree.h"

#include <cmath>
#include <initializer_list>

namespace global {

namespace {

// Parentheses, function calls and unary operators inside each other, at most.
constexpr int MaxNesting = 100;

const FormulaFunctionInfo Functions[] = {
    {FormulaFunction::Sub, "SUB", 2, 3},       {FormulaFunction::Left, "LEFT", 1, 2},
    {FormulaFunction::Right, "RIGHT", 1, 2},   {FormulaFunction::Clip, "CLIP", 1, 1},
    {FormulaFunction::Upper, "UPPER", 1, 1},   {FormulaFunction::Lower, "LOWER", 1, 1},
    {FormulaFunction::Len, "LEN", 1, 1},       {FormulaFunction::Instring, "INSTRING", 2, 3},
    {FormulaFunction::Int, "INT", 1, 1},       {FormulaFunction::Round, "ROUND", 1, 2},
    {FormulaFunction::Abs, "ABS", 1, 1},       {FormulaFunction::Choose, "CHOOSE", 2, -1},
    {FormulaFunction::Deform, "DEFORM", 1, 1},
};

struct Token {
    enum class Type { Number, Text, Name, Open, Close, Comma, Operator, End };
    Type type = Type::End;
    QString text;       // text literal, name (as written) or operator
    double number = 0;
    int position = 0;   // of the first character, counted from 1
};

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c)
{
    return c.isLetter() || c.isDigit() || c == QLatin1Char('_') || c == QLatin1Char(':');
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isWord(const QString& upperName)
{
    return upperName == QLatin1String("AND") || upperName == QLatin1String("OR") || upperName == QLatin1String("NOT");
}

FormulaResult failure(int code, const QString& text)
{
    FormulaResult result;
    result.errorCode = code;
    result.errorText = text;
    return result;
}

FormulaResult syntaxError(int position, const QString& what)
{
    return failure(formula_error::Syntax, QStringLiteral("syntax error at character %1: %2").arg(position).arg(what));
}

class Lexer {
public:
    explicit Lexer(const QString& text) : text_(text) {}

    // Cuts the whole text into tokens (the last one End); false with error() set.
    bool read(std::vector<Token>& tokens)
    {
        for (;;) {
            skipSpace();
            Token token;
            token.position = int(at_) + 1;
            if (at_ >= text_.size()) {
                tokens.push_back(token);
                return true;
            }
            if (!readToken(token))
                return false;
            tokens.push_back(std::move(token));
        }
    }

    const FormulaResult& error() const { return error_; }

private:
    void skipSpace()
    {
        while (at_ < text_.size() && text_.at(at_).isSpace())
            ++at_;
    }

    bool readToken(Token& token)
    {
        const QChar c = text_.at(at_);
        if (isAsciiDigit(c) || (c == QLatin1Char('.') && at_ + 1 < text_.size() && isAsciiDigit(text_.at(at_ + 1))))
            return readNumber(token);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            return readText(token, c);
        if (isNameStart(c)) {
            const qsizetype start = at_;
            while (at_ < text_.size() && isNamePart(text_.at(at_)))
                ++at_;
            token.type = Token::Type::Name;
            token.text = text_.mid(start, at_ - start);
            return true;
        }
        ++at_;
        switch (c.unicode()) {
        case '(': token.type = Token::Type::Open; return true;
        case ')': token.type = Token::Type::Close; return true;
        case ',': token.type = Token::Type::Comma; return true;
        case '+': case '-': case '*': case '/': case '%': case '&': case '=':
            token.type = Token::Type::Operator;
            token.text = c;
            return true;
        case '<':
        case '>':
            token.type = Token::Type::Operator;
            token.text = c;
            if (at_ < text_.size() && (text_.at(at_) == QLatin1Char('=') || (c == QLatin1Char('<') && text_.at(at_) == QLatin1Char('>'))))
                token.text += text_.at(at_++);
            return true;
        default:
            break;
        }
        error_ = syntaxError(token.position, QStringLiteral("unexpected character %1").arg(shown(c)));
        return false;
    }

    bool readNumber(Token& token)
    {
        const qsizetype start = at_;
        while (at_ < text_.size() && isAsciiDigit(text_.at(at_)))
            ++at_;
        if (at_ < text_.size() && text_.at(at_) == QLatin1Char('.')) {
            ++at_;
            while (at_ < text_.size() && isAsciiDigit(text_.at(at_)))
                ++at_;
        }
        bool ok = false;
        token.type = Token::Type::Number;
        token.number = text_.mid(start, at_ - start).toDouble(&ok);
        if (!ok || !std::isfinite(token.number)) {
            error_ = syntaxError(token.position, QStringLiteral("the number is too large"));
            return false;
        }
        if (at_ < text_.size() && (isNamePart(text_.at(at_)) || text_.at(at_) == QLatin1Char('.'))) {
            error_ = syntaxError(int(at_) + 1, QStringLiteral("unexpected character %1 after a number").arg(shown(text_.at(at_))));
            return false;
        }
        return true;
    }

    bool readText(Token& token, QChar quote)
    {
        ++at_;
        token.type = Token::Type::Text;
        for (;;) {
            if (at_ >= text_.size()) {
                error_ = syntaxError(token.position, QStringLiteral("the text is not closed with %1").arg(quote));
                return false;
            }
            const QChar c = text_.at(at_++);
            if (c != quote) {
                token.text += c;
                continue;
            }
            if (at_ < text_.size() && text_.at(at_) == quote) {   // a doubled quote stands for itself
                token.text += quote;
                ++at_;
                continue;
            }
            return true;
        }
    }

    static QString shown(QChar c)
    {
        if (c.isPrint())
            return QStringLiteral("'%1'").arg(c);
        return QStringLiteral("U+%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0')).toUpper();
    }

    const QString& text_;
    qsizetype at_ = 0;
    FormulaResult error_;
};

// Precedence levels from the loosest; each is a chain of its operators.
enum class Level { Join, Or, And, Comparison, Sum, Product };

class Parser {
public:
    Parser(const std::vector<Token>& tokens, Formula::Tree& tree) : tokens_(tokens), tree_(tree) {}

    FormulaResult readAll()
    {
        const int root = expression();
        if (root < 0)
            return error_;
        if (current().type != Token::Type::End) {
            unexpected();
            return error_;
        }
        tree_.root = root;
        return {};
    }

private:
    using Type = Token::Type;
    using Kind = Formula::Tree::Kind;

    const Token& current() const { return tokens_[at_]; }

    int expression() { return chain(Level::Join); }

    // A level's operands joined by its operators, left to right.
    int chain(Level level)
    {
        const int first = operand(level);
        if (first < 0)
            return -1;
        std::vector<int> operands{first};
        std::vector<FormulaOp> ops;
        FormulaOp op;
        while (operatorOf(level, op)) {
            ++at_;
            const int next = operand(level);
            if (next < 0)
                return -1;
            operands.push_back(next);
            ops.push_back(op);
        }
        if (ops.empty())
            return first;
        Formula::Tree::Node node;
        node.kind = Kind::Chain;
        node.operands = std::move(operands);
        node.ops = std::move(ops);
        return add(std::move(node));
    }

    int operand(Level level)
    {
        switch (level) {
        case Level::Join: return chain(Level::Or);
        case Level::Or: return chain(Level::And);
        case Level::And: return negation();
        case Level::Comparison: return chain(Level::Sum);
        case Level::Sum: return chain(Level::Product);
        case Level::Product: return signedOperand();
        }
        return -1;
    }

    bool operatorOf(Level level, FormulaOp& op) const
    {
        const Token& t = current();
        if (t.type == Type::Name && !t.text.isEmpty()) {
            const QString word = t.text.toUpper();
            if (level == Level::Or && word == QLatin1String("OR"))
                return op = FormulaOp::Or, true;
            if (level == Level::And && word == QLatin1String("AND"))
                return op = FormulaOp::And, true;
            return false;
        }
        if (t.type != Type::Operator)
            return false;
        static const struct {
            Level level;
            const char* text;
            FormulaOp op;
        } table[] = {
            {Level::Join, "&", FormulaOp::Join},         {Level::Comparison, "=", FormulaOp::Equal},
            {Level::Comparison, "<>", FormulaOp::NotEqual}, {Level::Comparison, "<", FormulaOp::Less},
            {Level::Comparison, "<=", FormulaOp::LessOrEqual}, {Level::Comparison, ">", FormulaOp::Greater},
            {Level::Comparison, ">=", FormulaOp::GreaterOrEqual}, {Level::Sum, "+", FormulaOp::Add},
            {Level::Sum, "-", FormulaOp::Subtract},      {Level::Product, "*", FormulaOp::Multiply},
            {Level::Product, "/", FormulaOp::Divide},    {Level::Product, "%", FormulaOp::Remainder},
        };
        for (const auto& entry : table)
            if (entry.level == level && t.text == QLatin1String(entry.text))
                return op = entry.op, true;
        return false;
    }

    // NOT binds looser than the comparisons: NOT A = 1 is NOT (A = 1).
    int negation()
    {
        const Token& t = current();
        if (t.type == Type::Name && t.text.toUpper() == QLatin1String("NOT"))
            return unary(FormulaOp::Not, [this] { return negation(); });
        return chain(Level::Comparison);
    }

    int signedOperand()
    {
        const Token& t = current();
        if (t.type == Type::Operator && t.text == QLatin1String("-"))
            return unary(FormulaOp::Negate, [this] { return signedOperand(); });
        if (t.type == Type::Operator && t.text == QLatin1String("+"))
            return unary(FormulaOp::UnaryPlus, [this] { return signedOperand(); });
        return primary();
    }

    template <class Read>
    int unary(FormulaOp op, Read read)
    {
        if (!enter())
            return -1;
        ++at_;
        const int operand = read();
        leave();
        if (operand < 0)
            return -1;
        Formula::Tree::Node node;
        node.kind = Kind::Unary;
        node.op = op;
        node.operands = {operand};
        return add(std::move(node));
    }

    int primary()
    {
        const Token& t = current();
        Formula::Tree::Node node;
        switch (t.type) {
        case Type::Number:
            node.kind = Kind::Number;
            node.number = t.number;
            ++at_;
            return add(std::move(node));
        case Type::Text:
            node.kind = Kind::Text;
            node.text = t.text;
            ++at_;
            return add(std::move(node));
        case Type::Name:
            // NOT where an operand stands ("A = NOT B") negates what follows, as at its own level.
            if (t.text.toUpper() == QLatin1String("NOT"))
                return unary(FormulaOp::Not, [this] { return negation(); });
            if (isWord(t.text.toUpper()))
                return unexpected();
            if (tokens_[at_ + 1].type == Type::Open)
                return call();
            node.kind = Kind::Name;
            node.text = t.text.toUpper();
            node.position = t.position;
            ++at_;
            return add(std::move(node));
        case Type::Open: {
            if (!enter())
                return -1;
            ++at_;
            const int inner = expression();
            leave();
            if (inner < 0)
                return -1;
            if (!expect(Type::Close, QStringLiteral("')'")))
                return -1;
            return inner;
        }
        default:
            return unexpected();
        }
    }

    int call()
    {
        const Token& nameToken = current();
        const FormulaFunctionInfo* info = findFormulaFunction(nameToken.text.toUpper());
        if (!info) {
            error_ = failure(formula_error::UnknownFunction,
                             QStringLiteral("unknown function %1 at character %2").arg(nameToken.text).arg(nameToken.position));
            return -1;
        }
        if (!enter())
            return -1;
        at_ += 2;   // the name and "("
        Formula::Tree::Node node;
        node.kind = Kind::Call;
        node.function = info->function;
        if (current().type != Type::Close) {
            for (;;) {
                const int argument = expression();
                if (argument < 0)
                    return -1;
                node.operands.push_back(argument);
                if (current().type != Type::Comma)
                    break;
                ++at_;
            }
        }
        leave();
        if (!expect(Type::Close, QStringLiteral("')' or ','")))
            return -1;
        const int given = int(node.operands.size());
        if (given < info->minArguments || (info->maxArguments >= 0 && given > info->maxArguments)) {
            error_ = failure(formula_error::UnknownFunction,
                             QStringLiteral("%1 takes %2, %3 given").arg(QLatin1String(info->name), argumentCount(*info)).arg(given));
            return -1;
        }
        return add(std::move(node));
    }

    static QString argumentCount(const FormulaFunctionInfo& info)
    {
        if (info.maxArguments < 0)
            return QStringLiteral("at least %1 arguments").arg(info.minArguments);
        if (info.minArguments == info.maxArguments)
            return info.minArguments == 1 ? QStringLiteral("1 argument") : QStringLiteral("%1 arguments").arg(info.minArguments);
        return QStringLiteral("%1 to %2 arguments").arg(info.minArguments).arg(info.maxArguments);
    }

    bool expect(Type type, const QString& what)
    {
        if (current().type == type) {
            ++at_;
            return true;
        }
        error_ = syntaxError(current().position, QStringLiteral("%1 expected").arg(what));
        if (current().type != Type::End)
            error_.errorText += QStringLiteral(", found %1").arg(describe(current()));
        return false;
    }

    int unexpected()
    {
        const Token& t = current();
        if (t.type == Type::End)
            error_ = syntaxError(t.position, QStringLiteral("the formula ends too early"));
        else if (t.type == Type::Comma && nesting_ == 0)
            error_ = syntaxError(t.position, QStringLiteral("',' outside the arguments of a function "
                                                            "(decimals are written with a point: 0.5)"));
        else
            error_ = syntaxError(t.position, QStringLiteral("unexpected %1").arg(describe(t)));
        return -1;
    }

    static QString describe(const Token& t)
    {
        switch (t.type) {
        case Type::Number: return QStringLiteral("number");
        case Type::Text: return QStringLiteral("text");
        case Type::Name: return t.text;
        case Type::Open: return QStringLiteral("'('");
        case Type::Close: return QStringLiteral("')'");
        case Type::Comma: return QStringLiteral("','");
        case Type::Operator: return QStringLiteral("'%1'").arg(t.text);
        case Type::End: return QStringLiteral("end of the formula");
        }
        return {};
    }

    bool enter()
    {
        if (nesting_ >= MaxNesting) {
            error_ = syntaxError(current().position, QStringLiteral("nested more than %1 deep").arg(MaxNesting));
            return false;
        }
        ++nesting_;
        return true;
    }
    void leave() { --nesting_; }

    int add(Formula::Tree::Node&& node)
    {
        tree_.nodes.push_back(std::move(node));
        return int(tree_.nodes.size()) - 1;
    }

    const std::vector<Token>& tokens_;
    Formula::Tree& tree_;
    std::size_t at_ = 0;
    int nesting_ = 0;
    FormulaResult error_;
};

} // namespace

const FormulaFunctionInfo* findFormulaFunction(const QString& upperName)
{
    for (const FormulaFunctionInfo& info : Functions)
        if (upperName == QLatin1String(info.name))
            return &info;
    return nullptr;
}

bool isFormulaName(const QString& text)
{
    if (text.isEmpty() || !isNameStart(text.at(0)) || isWord(text.toUpper()))
        return false;
    for (const QChar c : text)
        if (!isNamePart(c))
            return false;
    return true;
}

FormulaResult readFormula(const QString& text, Formula::Tree& tree)
{
    tree = {};
    if (text.size() > FormulaMaxLength)
        return failure(formula_error::Syntax,
                       QStringLiteral("syntax error: the formula is longer than %1 characters").arg(FormulaMaxLength));
    if (text.trimmed().isEmpty())
        return failure(formula_error::Syntax, QStringLiteral("syntax error: the formula is empty"));
    std::vector<Token> tokens;
    Lexer lexer(text);
    if (!lexer.read(tokens))
        return lexer.error();
    FormulaResult result = Parser(tokens, tree).readAll();
    if (!result.ok())
        tree = {};
    return result;
}

} // namespace global
