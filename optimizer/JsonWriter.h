#pragma once
// A JSON text written as it is made, element by element, so that a large result never stands in
// memory whole. Members and elements go on lines of their own, indented by nesting; a container
// begun as a line keeps everything it holds on one line.

#include <QString>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kadrel {

class JsonWriter {
public:
    enum class Layout { Indented, Line };

    explicit JsonWriter(std::FILE* out) : out_(out) {}
    ~JsonWriter()
    {
        if (!buffer_.empty())
            flush();
    }

    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject(Layout layout = Layout::Indented) { open('{', layout); }
    void endObject() { close('}'); }
    void beginArray(Layout layout = Layout::Indented) { open('[', layout); }
    void endArray() { close(']'); }

    // The name of the next member of the object being written.
    void key(const char* name);

    void value(int64_t number);
    void value(uint64_t number);
    void value(uint32_t number) { value(uint64_t{number}); }
    void value(int32_t number) { value(int64_t{number}); }
    void value(double number);    // the shortest text that reads back as the same double; null if not finite
    void value(bool flag);
    void value(const QString& text);
    void null();

    // Member shorthand.
    template <class T>
    void member(const char* name, const T& v)
    {
        key(name);
        value(v);
    }

    // Writes what is buffered; false when the output failed at any point.
    bool flush();

private:
    struct Level {
        Layout layout;
        bool empty = true;
    };

    void open(char bracket, Layout layout);
    void close(char bracket);
    void beforeValue();
    void newLine();
    void put(char c) { buffer_.push_back(c); spill(); }
    void put(const std::string& text) { buffer_ += text; spill(); }
    void spill();

    std::FILE* out_;
    std::string buffer_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
    bool failed_ = false;
};

} // namespace kadrel
