#include "optimizer/JsonWriter.h"

#include <QByteArray>
#include <QLocale>

#include <cmath>

namespace kadrel {

namespace {

constexpr std::size_t SpillSize = 1 << 16;

std::string escaped(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    std::string out;
    out.reserve(std::size_t(utf8.size()) + 2);
    out.push_back('"');
    for (const char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                out += code;
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
    return out;
}

} // namespace

void JsonWriter::spill()
{
    if (buffer_.size() >= SpillSize)
        flush();
}

bool JsonWriter::flush()
{
    if (!buffer_.empty()) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size())
            failed_ = true;
        buffer_.clear();
    }
    if (std::fflush(out_) != 0 || std::ferror(out_))
        failed_ = true;
    return !failed_;
}

void JsonWriter::newLine()
{
    buffer_.push_back('\n');
    buffer_.append(levels_.size() * 2, ' ');
}

void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty())
        return;
    Level& level = levels_.back();
    if (!level.empty)
        buffer_.push_back(',');
    if (level.layout == Layout::Indented)
        newLine();
    else if (!level.empty)
        buffer_.push_back(' ');
    level.empty = false;
}

void JsonWriter::open(char bracket, Layout layout)
{
    beforeValue();
    // Inside a line everything stays on it.
    if (!levels_.empty() && levels_.back().layout == Layout::Line)
        layout = Layout::Line;
    put(bracket);
    levels_.push_back(Level{layout});
}

void JsonWriter::close(char bracket)
{
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.layout == Layout::Indented && !level.empty)
        newLine();
    put(bracket);
    if (levels_.empty())
        put('\n');
}

void JsonWriter::key(const char* name)
{
    beforeValue();
    put(escaped(QString::fromUtf8(name)));
    put(": ");
    afterKey_ = true;
}

void JsonWriter::value(int64_t number)
{
    beforeValue();
    put(std::to_string(number));
}

void JsonWriter::value(uint64_t number)
{
    beforeValue();
    put(std::to_string(number));
}

void JsonWriter::value(double number)
{
    beforeValue();
    if (!std::isfinite(number)) {
        put("null");
        return;
    }
    put(QByteArray::number(number, 'g', QLocale::FloatingPointShortest).toStdString());
}

void JsonWriter::value(bool flag)
{
    beforeValue();
    put(flag ? "true" : "false");
}

void JsonWriter::null()
{
    beforeValue();
    put("null");
}

void JsonWriter::value(const QString& text)
{
    beforeValue();
    put(escaped(text));
}

} // namespace kadrel
