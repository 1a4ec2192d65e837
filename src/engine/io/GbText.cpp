#include "engine/io/GbText.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray ToGb(QStringView text) {
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QString FromGb(const QByteArray& bytes) {
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

QByteArray WithoutUtf8Bom(const QByteArray& bytes) {
    return bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes;
}

QByteArray LinesToGbFile(const QStringList& lines) {
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return ToGb(text);
}
