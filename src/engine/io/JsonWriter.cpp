#include "engine/io/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <charconv>
#include <cmath>

namespace {

// Printable ASCII other than the quote and the backslash reads the same inside a JSON string, which
// spares the member names and most values a document of their own.
bool needsEscaping(QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u > 0x7E || u == u'"' || u == u'\\') return true;
    }
    return false;
}

void appendQuoted(QString& out, QStringView text) {
    if (!needsEscaping(text)) {
        out += QLatin1Char('"');
        out += text;
        out += QLatin1Char('"');
        return;
    }
    // ["..."]: the brackets go, the escaped literal stays.
    const QByteArray array = QJsonDocument(QJsonArray{text.toString()}).toJson(QJsonDocument::Compact);
    out += QString::fromUtf8(array.constData() + 1, array.size() - 2);
}

} // namespace

QString JsonQuoted(QStringView text) {
    QString s;
    appendQuoted(s, text);
    return s;
}

JsonWriter::JsonWriter(qsizetype reserve) {
    if (reserve > 0) m_text.reserve(reserve);
}

void JsonWriter::separate() {
    if (m_comma) m_text += QLatin1Char(',');
    m_comma = true;
}

JsonWriter& JsonWriter::raw(const QString& token) {
    separate();
    m_text += token;
    return *this;
}

JsonWriter& JsonWriter::open(char bracket) {
    separate();
    m_text += QLatin1Char(bracket);
    m_comma = false;
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    m_text += QLatin1Char(bracket);
    m_comma = true;
    return *this;
}

JsonWriter& JsonWriter::beginObject() {
    return open('{');
}

JsonWriter& JsonWriter::endObject() {
    return close('}');
}

JsonWriter& JsonWriter::beginArray() {
    return open('[');
}

JsonWriter& JsonWriter::endArray() {
    return close(']');
}

JsonWriter& JsonWriter::key(QStringView name) {
    separate();
    appendQuoted(m_text, name);
    m_text += QLatin1Char(':');
    m_comma = false;
    return *this;
}

JsonWriter& JsonWriter::value(QStringView text) {
    separate();
    appendQuoted(m_text, text);
    return *this;
}

JsonWriter& JsonWriter::value(bool b) {
    return raw(b ? QStringLiteral("true") : QStringLiteral("false"));
}

JsonWriter& JsonWriter::value(double x) {
    if (!std::isfinite(x)) return null();
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, x);
    return raw(QString::fromLatin1(buffer, int(r.ptr - buffer)));
}

JsonWriter& JsonWriter::null() {
    return raw(QStringLiteral("null"));
}

JsonWriter& JsonWriter::maskNumbers(uint64_t mask) {
    beginArray();
    for (int n = 1; n < 64; ++n)
        if (mask >> n & 1u) value(n);
    return endArray();
}
