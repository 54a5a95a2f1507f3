// The JSON text written element by element: what it writes must read back as the values given.
#include "optimizer/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

using namespace kadrel;

namespace {

// Writes through a temporary file and returns the text.
template <class Write>
QByteArray written(Write write)
{
    std::FILE* file = std::tmpfile();
    {
        JsonWriter json(file);
        write(json);
        EXPECT_TRUE(json.flush());
    }
    std::rewind(file);
    QByteArray text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, qsizetype(n));
    std::fclose(file);
    return text;
}

TEST(JsonWriterTest, WhatIsWrittenReadsBackAsTheValuesGiven)
{
    const QString awkward = QStringLiteral("\"Dane\" w schowku\\|ą\t\r\n\x01 koniec");
    const QByteArray text = written([&](JsonWriter& json) {
        json.beginObject();
        json.member("text", awkward);
        json.member("largest", std::numeric_limits<uint64_t>::max());
        json.member("smallest", std::numeric_limits<int64_t>::min());
        json.member("metres", 33.0925);
        json.member("whole", 12.0);
        json.member("infinite", std::numeric_limits<double>::infinity());
        json.member("done", false);
        json.key("empty");
        json.beginArray();
        json.endArray();
        json.key("rows");
        json.beginArray();
        for (uint32_t i = 0; i < 3; ++i) {
            json.beginArray(JsonWriter::Layout::Line);
            json.value(i);
            json.value(int32_t(-1));
            json.beginObject();   // inside a line: stays on it
            json.member("id", i);
            json.endObject();
            json.endArray();
        }
        json.endArray();
        json.endObject();
    });
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(text, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
    EXPECT_EQ(object.value("text").toString(), awkward);
    EXPECT_TRUE(text.contains("\"largest\": 18446744073709551615"));
    EXPECT_EQ(object.value("smallest").toInteger(), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(object.value("metres").toDouble(), 33.0925);
    EXPECT_TRUE(text.contains("\"whole\": 12,"));
    EXPECT_TRUE(object.value("infinite").isNull());
    EXPECT_EQ(object.value("done"), QJsonValue(false));
    EXPECT_EQ(object.value("empty").toArray(), QJsonArray{});
    const QJsonArray rows = object.value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].toArray(), (QJsonArray{2, -1, QJsonObject{{"id", 2}}}));
    // Each row on a line of its own, the object inside it included.
    EXPECT_TRUE(text.contains("\n    [1, -1, {\"id\": 1}],\n")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("}\n"));
}

TEST(JsonWriterTest, AFailingOutputIsReported)
{
    std::FILE* readOnly = std::fopen("/dev/null", "r");
    ASSERT_NE(readOnly, nullptr);
    {
        JsonWriter json(readOnly);
        json.beginArray();
        json.value(QStringLiteral("x"));
        json.endArray();
        EXPECT_FALSE(json.flush());
    }
    std::fclose(readOnly);
}

} // namespace
