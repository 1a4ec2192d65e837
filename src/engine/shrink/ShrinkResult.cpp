#include "engine/shrink/ShrinkResult.h"

#include "engine/metrics/Code.h"

#include <cstring>

QString ShrinkCountLine(int count) {
    return QStringLiteral("缩水结果总共%1注").arg(count);
}
QString ShrinkTooManyText() {
    return QStringLiteral("超过10万注，不再显示详细号码。");
}
QString TooFewCandidatesText() {
    return QStringLiteral("请最少勾选8个复式号码！！");
}

namespace {
// Lines of the tickets at these list indexes, each after a line break, into out.
char16_t* writeLines(char16_t* out, const std::vector<int>& indexes, size_t count, const Game& game) {
    CandidateFlags all;
    all.fill(1);
    const int chars = TicketChars(game);
    for (size_t i = 0; i < count; ++i) {
        *out++ = u'\n';
        CodeToChars(KeptTicketAt(indexes[i], all, game), out, game);
        out += chars;
    }
    return out;
}

QString listedText(const QString& countLine, const std::vector<int>& indexes, size_t count,
                   const Game& game) {
    QString text(countLine.size() + 1 + qsizetype(count) * (TicketChars(game) + 1), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    std::memcpy(out, countLine.utf16(), size_t(countLine.size()) * sizeof(char16_t));
    out += countLine.size();
    *out++ = u'\n';
    writeLines(out, indexes, count, game);
    return text;
}
} // namespace

QString ShrinkMemoText(int count, const std::vector<int>& listed, const Game& game) {
    const QString countLine = ShrinkCountLine(count);
    if (count > ShrinkListLimit) return countLine + QLatin1Char('\n') + ShrinkTooManyText();
    return listedText(countLine, listed, size_t(count), game);
}

QString ShrinkAllText(const ShrinkResult& result) {
    return listedText(result.countLine, result.tickets, result.tickets.size(), *result.game);
}
