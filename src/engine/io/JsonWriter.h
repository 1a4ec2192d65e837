#pragma once

#include <QString>
#include <QStringView>
#include <concepts>
#include <cstdint>
#include <vector>

// Compact JSON text whose members keep the order they are written in (QJsonObject sorts its keys, and
// the command line's JSON results are byte-for-byte contracts). Every string, keys included, is escaped
// exactly as QJsonDocument escapes it; commas are placed by the writer.
//
//     JsonWriter w;
//     w.beginObject().member(u"game", game.keyText()).key(u"tickets").numbers(list).endObject();
class JsonWriter {
public:
    explicit JsonWriter(qsizetype reserve = 0);

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next value, inside an object.
    JsonWriter& key(QStringView name);

    JsonWriter& value(QStringView text);
    JsonWriter& value(const QString& text) { return value(QStringView(text)); }
    JsonWriter& value(const char*) = delete; // would otherwise become a bool
    JsonWriter& value(bool b);
    // The shortest text that reads back as the same double; null when it is not finite.
    JsonWriter& value(double x);
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    JsonWriter& value(T n) {
        return raw(QString::number(n));
    }
    JsonWriter& null();

    template <class T>
    JsonWriter& member(QStringView name, const T& v) {
        return key(name).value(v);
    }
    // An array of whole numbers: all of them, or the first `count`.
    template <class Range>
    JsonWriter& numbers(const Range& values) {
        beginArray();
        for (const auto& n : values)
            value(n);
        return endArray();
    }
    template <class Range>
    JsonWriter& numbers(const Range& values, int count) {
        beginArray();
        for (int i = 0; i < count; ++i)
            value(values[size_t(i)]);
        return endArray();
    }
    // The numbers 1..63 whose bits are set in the mask, ascending.
    JsonWriter& maskNumbers(uint64_t mask);

    const QString& text() const { return m_text; }

private:
    JsonWriter& raw(const QString& token);
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    void separate();

    QString m_text;
    bool m_comma = false; // the next member or element needs a comma before it
};

// A string as a JSON string literal, quotes included, escaped as QJsonDocument escapes it.
QString JsonQuoted(QStringView text);
