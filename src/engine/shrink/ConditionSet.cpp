#include "engine/shrink/ConditionSet.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/Convert.h"
#include "engine/history/DataFile.h"
#include "engine/history/Parser.h"
#include "engine/io/AtomicFile.h"
#include "engine/shrink/Conditions.h"
#include "engine/shrink/ListReader.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {

const QStringList linkKinds{QStringLiteral("has"), QStringLiteral("none"), QStringLiteral("any")};
// The key of a condition-set file that names its game.
const QString GameKey = QStringLiteral("game");

int integer(const QString& key, const QString& text) {
    int v = 0;
    if (!TryStrToInt(QStringView(text), v))
        throw ConditionOptionError{key, QStringLiteral("--%1: '%2' is not a number").arg(key, text)};
    return v;
}

// Items 0..count - 1 (at most the array's) are well-formed; those beyond the game's picks among them
// are the run's to refuse, with its message.
template <size_t N>
void readItems(const QString& key, const QString& text, std::array<bool, N>& items, int count = int(N)) {
    count = std::min(count, int(N));
    items.fill(false);
    for (const QString& piece : SplitString(QStringLiteral(","), text)) {
        const int k = integer(key, piece);
        if (k < 0 || k >= count)
            throw ConditionOptionError{
                key, QStringLiteral("--%1: item %2 is not in 0..%3").arg(key).arg(k).arg(count - 1)};
        items[size_t(k)] = true;
    }
}

// The ratio matrices were seven items wide and the hit rows six before a game of seven picks came;
// an option keeps that width, so an item beyond a smaller game's picks still reaches the run's check.
int ratioItemCount(const Game& game) {
    return std::max(7, game.frontPicks + 1);
}
int hitItemCount(const Game& game) {
    return std::max(6, game.frontPicks);
}

// "A,B,C" with "-" for a list left on "不选".
QList<int> readChoices(const QString& key, const QString& text, int count) {
    const QStringList pieces = text.split(QLatin1Char(','));
    if (pieces.size() != count)
        throw ConditionOptionError{
            key, QStringLiteral("--%1 takes %2 comma-separated values").arg(key).arg(count)};
    QList<int> values;
    for (const QString& piece : pieces)
        values << (piece.trimmed() == QLatin1String("-") ? -1 : integer(key, piece.trimmed()));
    return values;
}

template <size_t N> QString itemsText(const std::array<bool, N>& items) {
    QStringList s;
    for (size_t k = 0; k < N; ++k)
        if (items[k]) s << QString::number(k);
    return s.join(QLatin1Char(','));
}

QString choicesText(std::initializer_list<int> values) {
    QStringList s;
    for (int v : values)
        s << (v < 0 ? QStringLiteral("-") : QString::number(v));
    return s.join(QLatin1Char(','));
}

template <size_t N> bool any(const std::array<bool, N>& items) {
    for (bool b : items)
        if (b) return true;
    return false;
}

} // namespace

const QStringList& ConditionOptionNames() {
    static const QStringList names{QStringLiteral("candidates"),    QStringLiteral("sum-min"),
                                   QStringLiteral("sum-max"),       QStringLiteral("exclude-sums"),
                                   QStringLiteral("odd-even"),      QStringLiteral("repeats"),
                                   QStringLiteral("link"),          QStringLiteral("link-runs"),
                                   QStringLiteral("tail-min"),      QStringLiteral("tail-max"),
                                   QStringLiteral("exclude-tails"), QStringLiteral("exclude"),
                                   QStringLiteral("require"),       QStringLiteral("big-small"),
                                   QStringLiteral("max-code"),      QStringLiteral("min-code"),
                                   QStringLiteral("span"),          QStringLiteral("zones"),
                                   QStringLiteral("mod3"),          QStringLiteral("ac"),
                                   QStringLiteral("hit"),           QStringLiteral("tolerance")};
    return names;
}

void ApplyConditionOption(ShrinkInput& in, const QString& key, const QStringList& values, const Game& game) {
    const QString value = values.isEmpty() ? QString() : values.last();
    if (key == QLatin1String("candidates")) {
        in.candidates.fill(false);
        for (int n : ReadNumberList(value, 1, game.frontPool, game.front()))
            in.candidates[size_t(n - 1)] = true;
    } else if (key == QLatin1String("sum-min")) {
        in.sumMin = integer(key, value);
    } else if (key == QLatin1String("sum-max")) {
        in.sumMax = integer(key, value);
    } else if (key == QLatin1String("exclude-sums")) {
        in.excludeSums = value;
    } else if (key == QLatin1String("odd-even")) {
        readItems(key, value, in.oddEven, ratioItemCount(game));
    } else if (key == QLatin1String("repeats")) {
        readItems(key, value, in.repeats);
    } else if (key == QLatin1String("link")) {
        in.linkIndex = int(linkKinds.indexOf(value));
        if (in.linkIndex < 0)
            throw ConditionOptionError{key, QStringLiteral("--link takes any, has or none")};
    } else if (key == QLatin1String("link-runs")) {
        readItems(key, value, in.linkRuns);
    } else if (key == QLatin1String("tail-min")) {
        in.tailMin = integer(key, value);
    } else if (key == QLatin1String("tail-max")) {
        in.tailMax = integer(key, value);
    } else if (key == QLatin1String("exclude-tails")) {
        in.excludeTails = value;
    } else if (key == QLatin1String("exclude")) {
        in.excludeNumbers = value;
    } else if (key == QLatin1String("require")) {
        in.requireNumbers = value;
    } else if (key == QLatin1String("big-small")) {
        readItems(key, value, in.bigSmall, ratioItemCount(game));
    } else if (key == QLatin1String("max-code")) {
        in.maxCode = integer(key, value);
    } else if (key == QLatin1String("min-code")) {
        in.minCode = integer(key, value);
    } else if (key == QLatin1String("span")) {
        const QList<int> v = readChoices(key, value, 2);
        in.spanMin = v[0];
        in.spanMax = v[1];
    } else if (key == QLatin1String("zones")) {
        const QList<int> v = readChoices(key, value, 3);
        in.zones = {v[0], v[1], v[2]};
    } else if (key == QLatin1String("mod3")) {
        const QList<int> v = readChoices(key, value, 3);
        in.mod3 = {v[0], v[1], v[2]};
    } else if (key == QLatin1String("ac")) {
        const QList<int> v = readChoices(key, value, 2);
        in.acMin = v[0];
        in.acMax = v[1];
    } else if (key == QLatin1String("hit")) {
        if (values.size() > 4)
            throw ConditionOptionError{key, QStringLiteral("--hit may be given at most 4 times")};
        in.hitRows = {};
        for (qsizetype r = 0; r < values.size(); ++r) {
            const qsizetype colon = values[r].lastIndexOf(QLatin1Char(':'));
            if (colon < 0) throw ConditionOptionError{key, QStringLiteral("--hit takes TEXT:ITEMS")};
            in.hitRows[size_t(r)].list = values[r].left(colon);
            readItems(key, values[r].mid(colon + 1), in.hitRows[size_t(r)].items, hitItemCount(game));
        }
    } else if (key == QLatin1String("tolerance")) {
        in.tolerance = integer(key, value);
    } else {
        throw ConditionOptionError{key, QStringLiteral("unknown condition '%1'").arg(key)};
    }
}

QByteArray WriteConditionSet(const ShrinkInput& in, const Game& game) {
    const ShrinkInput reset = ShrinkInput::resetFor(game);
    QJsonObject o;
    o.insert(GameKey, game.keyText());
    QStringList candidates;
    for (int n = 1; n <= game.frontPool; ++n)
        if (in.candidates[size_t(n - 1)]) candidates << QString::number(n);
    o.insert(QStringLiteral("candidates"), candidates.join(QLatin1Char(',')));
    auto number = [&](const char* key, int value, int resetValue) {
        if (value != resetValue) o.insert(QLatin1String(key), QString::number(value));
    };
    auto text = [&](const char* key, const QString& value) {
        if (!value.isEmpty()) o.insert(QLatin1String(key), value);
    };
    number("sum-min", in.sumMin, reset.sumMin);
    number("sum-max", in.sumMax, reset.sumMax);
    text("exclude-sums", in.excludeSums);
    text("odd-even", itemsText(in.oddEven));
    text("repeats", itemsText(in.repeats));
    if (in.linkIndex != reset.linkIndex && in.linkIndex >= 0 && in.linkIndex < 3)
        o.insert(QStringLiteral("link"), linkKinds[in.linkIndex]);
    text("link-runs", itemsText(in.linkRuns));
    number("tail-min", in.tailMin, reset.tailMin);
    number("tail-max", in.tailMax, reset.tailMax);
    text("exclude-tails", in.excludeTails);
    text("exclude", in.excludeNumbers);
    text("require", in.requireNumbers);
    text("big-small", itemsText(in.bigSmall));
    number("max-code", in.maxCode, reset.maxCode);
    number("min-code", in.minCode, reset.minCode);
    if (in.spanMin >= 0 || in.spanMax >= 0)
        o.insert(QStringLiteral("span"), choicesText({in.spanMin, in.spanMax}));
    if (in.zones != reset.zones)
        o.insert(QStringLiteral("zones"), choicesText({in.zones[0], in.zones[1], in.zones[2]}));
    if (in.mod3 != reset.mod3)
        o.insert(QStringLiteral("mod3"), choicesText({in.mod3[0], in.mod3[1], in.mod3[2]}));
    if (in.acMin >= 0 || in.acMax >= 0) o.insert(QStringLiteral("ac"), choicesText({in.acMin, in.acMax}));
    // Rows up to the last one that holds anything, so the rows keep their places.
    int rows = 0;
    for (int r = 0; r < 4; ++r)
        if (!in.hitRows[size_t(r)].list.isEmpty() || any(in.hitRows[size_t(r)].items)) rows = r + 1;
    if (rows) {
        QJsonArray hit;
        for (int r = 0; r < rows; ++r)
            hit.append(in.hitRows[size_t(r)].list + QLatin1Char(':') +
                       itemsText(in.hitRows[size_t(r)].items));
        o.insert(QStringLiteral("hit"), hit);
    }
    number("tolerance", in.tolerance, reset.tolerance);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

ShrinkInput ReadConditionSet(const QByteArray& json, const Game& game) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw KelvoraError(
            QStringLiteral("条件文件不是有效的JSON：第%1个字符处有错误").arg(error.offset + 1));
    if (!doc.isObject()) throw KelvoraError(QStringLiteral("条件文件的内容必须是一个JSON对象"));
    auto refuse = [](const QString& key, const QString& why) {
        return KelvoraError(QStringLiteral("条件文件中的“%1”无法读取：%2").arg(key, why));
    };
    const QJsonObject o = doc.object();
    // Sets written before the game was named are the two-colour ball's.
    const QJsonValue named = o.value(GameKey);
    const Game* fileGame = named.isUndefined() ? &Game::ssq() : Game::find(named.toString());
    if (!fileGame)
        throw KelvoraError(QStringLiteral("条件文件中的玩法“%1”无法识别").arg(named.toVariant().toString()));
    if (fileGame->id != game.id)
        throw KelvoraError(
            QStringLiteral("这是%1的条件文件，不能用于%2").arg(fileGame->nameText(), game.nameText()));
    ShrinkInput in = ShrinkInput::resetFor(game);
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QString key = it.key();
        if (key == GameKey) continue;
        if (!ConditionOptionNames().contains(key))
            throw KelvoraError(QStringLiteral("条件文件中有未知的条件“%1”").arg(key));
        QStringList values;
        const QJsonArray list =
            key == QLatin1String("hit") && it->isArray() ? it->toArray() : QJsonArray{*it};
        for (const QJsonValue& v : list) {
            if (v.isString())
                values << v.toString();
            else if (v.isDouble() && v.toDouble() == double(v.toInt()))
                values << QString::number(v.toInt());
            else
                throw refuse(key, QStringLiteral("值必须是文字"));
        }
        try {
            ApplyConditionOption(in, key, values, game);
            // Each key sets only its own values, so a value out of range is this key's.
            CheckShrinkInput(in, game);
        } catch (const ConditionOptionError&) {
            throw refuse(key, QStringLiteral("值“%1”不合格式").arg(values.join(QStringLiteral("”，“"))));
        } catch (const KelvoraError& e) {
            throw refuse(key, e.message());
        }
    }
    try {
        CheckShrinkInput(in, game);
    } catch (const KelvoraError& e) {
        throw KelvoraError(QStringLiteral("条件文件中的值超出范围：%1").arg(e.message()));
    }
    return in;
}

void SaveConditionSetFile(const QString& path, const ShrinkInput& in, const Game& game) {
    const QString why = WriteFileAtomically(path, WriteConditionSet(in, game));
    if (!why.isEmpty())
        throw KelvoraError(QStringLiteral("无法写入文件 %1\n%2").arg(QDir::toNativeSeparators(path), why));
}

ShrinkInput LoadConditionSetFile(const QString& path, const Game& game) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KelvoraError(QStringLiteral("无法打开条件文件 %1").arg(QDir::toNativeSeparators(path)));
    const QByteArray bytes = ReadDeviceBytes(file, path);
    try {
        return ReadConditionSet(bytes, game);
    } catch (const KelvoraError& e) {
        throw KelvoraError(QDir::toNativeSeparators(path) + QLatin1Char('\n') + e.message());
    }
}
