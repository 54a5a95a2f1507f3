#include "optimizer/JsonSyntax.h"

namespace kadrel {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

class SyntaxCheck {
public:
    explicit SyntaxCheck(QByteArrayView text) : text_(text) {}

    std::optional<JsonSyntaxError> run()
    {
        skipSpace();
        if (!value(0))
            return error_;
        skipSpace();
        if (at_ < text_.size())
            return JsonSyntaxError{at_, QStringLiteral("text after the end of the JSON value")};
        return std::nullopt;
    }

private:
    bool atEnd() const { return at_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[at_]; }

    bool fail(const QString& what)
    {
        error_ = JsonSyntaxError{at_, what};
        return false;
    }

    void skipSpace()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++at_;
    }

    bool expect(char c)
    {
        if (peek() != c)
            return fail(atEnd() ? QStringLiteral("unexpected end of the text, '%1' expected").arg(QLatin1Char(c))
                                : QStringLiteral("'%1' expected").arg(QLatin1Char(c)));
        ++at_;
        return true;
    }

    bool value(int depth)
    {
        if (atEnd())
            return fail(QStringLiteral("unexpected end of the text, a value expected"));
        const char c = peek();
        if (c == '{' || c == '[') {
            if (depth >= MaxJsonDepth)
                return fail(QStringLiteral("arrays and objects nested more than %1 deep").arg(MaxJsonDepth));
            return c == '{' ? object(depth + 1) : array(depth + 1);
        }
        if (c == '"')
            return string();
        if (c == '-' || isDigit(c))
            return number();
        if (text_.sliced(at_).startsWith(QByteArrayView("true")))
            return word(4);
        if (text_.sliced(at_).startsWith(QByteArrayView("false")))
            return word(5);
        if (text_.sliced(at_).startsWith(QByteArrayView("null")))
            return word(4);
        return fail(QStringLiteral("a value expected"));
    }

    bool word(qsizetype length)
    {
        at_ += length;
        return true;
    }

    bool object(int depth)
    {
        ++at_;   // {
        skipSpace();
        if (peek() == '}') {
            ++at_;
            return true;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"')
                return fail(QStringLiteral("a member name in double quotes expected"));
            if (!string())
                return false;
            skipSpace();
            if (!expect(':'))
                return false;
            skipSpace();
            if (!value(depth))
                return false;
            skipSpace();
            if (peek() == ',') {
                ++at_;
                continue;
            }
            return expect('}');
        }
    }

    bool array(int depth)
    {
        ++at_;   // [
        skipSpace();
        if (peek() == ']') {
            ++at_;
            return true;
        }
        for (;;) {
            skipSpace();
            if (!value(depth))
                return false;
            skipSpace();
            if (peek() == ',') {
                ++at_;
                continue;
            }
            return expect(']');
        }
    }

    bool string()
    {
        ++at_;   // "
        while (!atEnd()) {
            const auto c = static_cast<unsigned char>(peek());
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c < 0x20)
                return fail(QStringLiteral("a control character (code %1) inside a string; write it as an escape")
                                .arg(c));
            if (c == '\\') {
                ++at_;
                const char e = peek();
                if (e == 'u') {
                    ++at_;
                    for (int i = 0; i < 4; ++i, ++at_)
                        if (!isHexDigit(peek()))
                            return fail(QStringLiteral("\\u must be followed by four hexadecimal digits"));
                    continue;
                }
                if (e != '"' && e != '\\' && e != '/' && e != 'b' && e != 'f' && e != 'n' && e != 'r' && e != 't')
                    return fail(QStringLiteral("an escape that JSON does not know"));
            }
            ++at_;
        }
        return fail(QStringLiteral("unexpected end of the text inside a string"));
    }

    bool digits(const QString& what)
    {
        if (!isDigit(peek()))
            return fail(what);
        while (isDigit(peek()))
            ++at_;
        return true;
    }

    bool number()
    {
        if (peek() == '-')
            ++at_;
        if (peek() == '0') {
            ++at_;
            if (isDigit(peek()))
                return fail(QStringLiteral("a number must not start with 0"));
        } else if (!digits(QStringLiteral("a digit expected in a number"))) {
            return false;
        }
        if (peek() == '.') {
            ++at_;
            if (!digits(QStringLiteral("a digit expected after the decimal point")))
                return false;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++at_;
            if (peek() == '+' || peek() == '-')
                ++at_;
            if (!digits(QStringLiteral("a digit expected in the exponent")))
                return false;
        }
        return true;
    }

    QByteArrayView text_;
    qsizetype at_ = 0;
    JsonSyntaxError error_;
};

} // namespace

std::optional<JsonSyntaxError> checkJsonSyntax(QByteArrayView text)
{
    return SyntaxCheck(text).run();
}

} // namespace kadrel
