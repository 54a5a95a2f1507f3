#pragma once
// The letter of the JSON grammar, checked before Qt's reader sees a text: Qt's reader lets through
// numbers such as "1." or "01" and control characters inside strings, which a file written by
// another program must not rely on.

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kadrel {

struct JsonSyntaxError {
    qsizetype offset = 0;   // byte offset of the first character that is wrong
    QString what;
};

// Whether the text is exactly one JSON value (white space around it allowed). Strings may hold no
// raw character below U+0020 and only the escapes of the grammar; numbers are
// -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?; arrays and objects nest at most MaxJsonDepth deep.
std::optional<JsonSyntaxError> checkJsonSyntax(QByteArrayView text);

constexpr int MaxJsonDepth = 512;

} // namespace kadrel
