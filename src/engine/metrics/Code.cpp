#include "engine/metrics/Code.h"


const char* const RatioLabels[7] = {"0:6", "1:5", "2:4", "3:3", "4:2", "5:1", "6:0"};

QString NumToText(int32_t value, int width, bool zeroPad) {
    QString s = QString::number(value);
    if (width > s.size()) s.prepend(QString(width - s.size(), zeroPad ? QLatin1Char('0') : QLatin1Char(' ')));
    return s;
}

void CodeToChars(const TCodeRec& ticket, char16_t* out, const Game& game) {
    const int picks = game.frontPicks;
    for (int k = 0; k < picks; ++k) {
        const int v = ticket.Red[k];
        out[k * 3] = char16_t(u'0' + v / 10);
        out[k * 3 + 1] = char16_t(u'0' + v % 10);
        if (k < picks - 1) out[k * 3 + 2] = u' ';
    }
}

QString CodeToText(const TCodeRec& ticket, const Game& game) {
    QString s(TicketChars(game), Qt::Uninitialized);
    CodeToChars(ticket, reinterpret_cast<char16_t*>(s.data()), game);
    return s;
}

bool CodeToText(const TCodeRec& ticket, QString& text, bool withBlue, int blueNo, const Game& game) {
    text = CodeToText(ticket, game);
    if (!withBlue) return true;
    if (blueNo < 1 || blueNo > game.backPool || ticket.Blue[blueNo - 1] == 0) return false;
    text += QLatin1Char('+') + NumToText(blueNo);
    return true;
}

QString DrawToText(const TCodeRec& ticket, const Game& game) {
    QString text = CodeToText(ticket, game);
    QChar sep = QLatin1Char('+');
    for (int b = 1; b <= game.backPool; ++b) {
        if (!ticket.Blue[b - 1]) continue;
        text += sep + NumToText(b);
        sep = QLatin1Char(' ');
    }
    if (game.specialPicks && ticket.Special) text += sep + NumToText(ticket.Special);
    return text;
}

int32_t SumValue(const TCodeRec& t, bool tailDigits) {
    int32_t s = 0;
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k)
        s += tailDigits ? t.Red[k] % 10 : t.Red[k];
    return s;
}

int32_t MinCode(const TCodeRec& t) {
    int32_t m = t.Red[0];
    for (int k = 1; k < GameLimits::kMaxFrontPicks; ++k)
        if (t.Red[k] && t.Red[k] < m) m = t.Red[k];
    return m;
}

int32_t MaxCode(const TCodeRec& t) {
    int32_t m = t.Red[0];
    for (int k = 1; k < GameLimits::kMaxFrontPicks; ++k)
        if (t.Red[k] > m) m = t.Red[k];
    return m;
}

int32_t SpanValue(const TCodeRec& t, const Game& game) {
    return int32_t(t.Red[game.frontPicks - 1]) - int32_t(t.Red[0]);
}

int32_t AcValue(const TCodeRec& t, const Game& game) {
    const int picks = game.frontPicks;
    uint64_t seen = 0;
    for (int i = 0; i < picks; ++i)
        for (int j = i + 1; j < picks; ++j)
            seen |= uint64_t(1) << NumDistance(t.Red[i], t.Red[j]);
    return int32_t(__builtin_popcountll(seen)) - (picks - 1);
}

int32_t OddCount(const TCodeRec& t) {
    int32_t c = 0;
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k)
        c += t.Red[k] & 1;
    return c;
}

int32_t BigCount(const TCodeRec& t, const Game& game) {
    int32_t c = 0;
    for (int k = 0; k < game.frontPicks; ++k)
        c += t.Red[k] > game.smallMax;
    return c;
}

int32_t BigTailCount(const TCodeRec& t) {
    int32_t c = 0;
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k)
        c += t.Red[k] % 10 >= 5;
    return c;
}

void ZoneCounts(const TCodeRec& t, int32_t& z1, int32_t& z2, int32_t& z3, const Game& game) {
    z1 = z2 = z3 = 0;
    for (int k = 0; k < game.frontPicks; ++k) {
        const int v = t.Red[k];
        if (v <= game.zoneEnd[0])
            ++z1;
        else if (v <= game.zoneEnd[1])
            ++z2;
        else
            ++z3;
    }
}

void Mod3Counts(const TCodeRec& t, int32_t& m0, int32_t& m1, int32_t& m2, const Game& game) {
    int32_t m[3] = {0, 0, 0};
    for (int k = 0; k < game.frontPicks; ++k)
        ++m[t.Red[k] % 3];
    m0 = m[0];
    m1 = m[1];
    m2 = m[2];
}

bool IsComposite(int32_t n) {
    for (int32_t d = 2; d < n; ++d)
        if (n % d == 0) return true;
    return false;
}

int32_t PrimeCount(const TCodeRec& t) {
    // Bit n set for the numbers of 1..33 that IsComposite rejects (1 counts as prime).
    constexpr uint64_t primes = (1ull << 1) | (1ull << 2) | (1ull << 3) | (1ull << 5) | (1ull << 7) |
                                (1ull << 11) | (1ull << 13) | (1ull << 17) | (1ull << 19) | (1ull << 23) |
                                (1ull << 29) | (1ull << 31);
    int32_t c = 0;
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k) {
        const int v = t.Red[k];
        c += v < 64 ? int32_t((primes >> v) & 1) : !IsComposite(v);
    }
    return c;
}

int32_t TailGroupCount(const TCodeRec& t, const Game& game) {
    unsigned seen = 0;
    for (int k = 0; k < game.frontPicks; ++k)
        seen |= 1u << (t.Red[k] % 10);
    return __builtin_popcount(seen);
}

RunInfo RunMeasures(const TCodeRec& t, const Game& game) {
    const int pool = game.frontPool;
    bool marked[GameLimits::kMaxFrontPool + 2] = {};
    for (int k = 0; k < game.frontPicks; ++k)
        if (t.Red[k] <= pool) marked[t.Red[k]] = true;
    RunInfo r;
    int n = 1;
    while (n < pool) {
        if (marked[n] && marked[n + 1]) {
            int len = 2;
            int m = n + 2;
            while (m <= pool && marked[m]) {
                ++len;
                ++m;
            }
            ++r.groups;
            r.numbers += len;
            if (len - 1 > r.longestLinks) r.longestLinks = len - 1;
            n = m;
        } else {
            ++n;
        }
    }
    return r;
}

int32_t RunGroupCount(const TCodeRec& t, const Game& game) {
    return RunMeasures(t, game).groups;
}
int32_t RunNumberCount(const TCodeRec& t, const Game& game) {
    return RunMeasures(t, game).numbers;
}
int32_t LongestRunLinks(const TCodeRec& t, const Game& game) {
    return RunMeasures(t, game).longestLinks;
}

int32_t OddStepCount(const TCodeRec& t, const Game& game) {
    int32_t c = 0;
    for (int k = 0; k < game.frontPicks - 1; ++k)
        c += (t.Red[k] & 1) && (t.Red[k + 1] & 1) && NumDistance(t.Red[k], t.Red[k + 1]) == 2;
    return c;
}

int32_t EvenStepCount(const TCodeRec& t, const Game& game) {
    int32_t c = 0;
    for (int k = 0; k < game.frontPicks - 1; ++k)
        c += !(t.Red[k] & 1) && !(t.Red[k + 1] & 1) && NumDistance(t.Red[k], t.Red[k + 1]) == 2;
    return c;
}

int32_t MaxGap(const TCodeRec& t, const Game& game) {
    int32_t m = 0;
    for (int k = 0; k < game.frontPicks - 1; ++k) {
        const int32_t d = NumDistance(t.Red[k], t.Red[k + 1], true);
        if (d > m) m = d;
    }
    return m;
}

namespace {
// Unused places hold 0, which is no number.
inline uint64_t maskOf(const TCodeRec& t) {
    uint64_t m = 0;
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k)
        if (t.Red[k] >= 1 && t.Red[k] <= GameLimits::kMaxFrontPool) m |= uint64_t(1) << t.Red[k];
    return m;
}
} // namespace

int32_t CommonCount(const TCodeRec& a, const TCodeRec& b) {
    return __builtin_popcountll(maskOf(a) & maskOf(b));
}

int32_t SamePosCount(const TCodeRec& a, const TCodeRec& b, const Game& game) {
    int32_t c = 0;
    for (int k = 0; k < game.frontPicks; ++k)
        c += a.Red[k] == b.Red[k];
    return c;
}

int32_t DiagonalCount(const TCodeRec& a, const TCodeRec& prev, const Game& game) {
    const uint64_t b = maskOf(prev);
    // Bits 1..pool only: a neighbour of the last number above or of 1 below does not exist.
    const uint64_t neighbours =
        ((b << 1) | (b >> 1)) & (((uint64_t(1) << (game.frontPool + 1)) - 1) & ~uint64_t(1));
    return __builtin_popcountll(maskOf(a) & neighbours);
}

int32_t CountInSet(const TCodeRec& t, const NumberSet& set) {
    int32_t c = 0;
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k)
        if (t.Red[k] < set.size()) c += set[t.Red[k]] != 0;
    return c;
}

bool HasCode(const TCodeRec& t, int32_t n) {
    if (n < 1) return false;
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k)
        if (t.Red[k] == n) return true;
    return false;
}

int32_t BlueList(const TCodeRec& t, uint8_t (&blues)[GameLimits::kMaxBackPool]) {
    int32_t c = 0;
    for (int b = 0; b < GameLimits::kMaxBackPool; ++b)
        blues[b] = 0;
    for (int b = 0; b < GameLimits::kMaxBackPool; ++b)
        if (t.Blue[b]) blues[c++] = uint8_t(b + 1);
    return c;
}

int32_t NumDistance(int32_t a, int32_t b, bool mod10) {
    const int32_t d = a > b ? a - b : b - a;
    return mod10 ? d % 10 : d;
}

TCodeRec MakeTicket(int a, int b, int c, int d, int e, int f) {
    TCodeRec t{};
    const int v[6] = {a, b, c, d, e, f};
    for (int k = 0; k < 6; ++k)
        t.Red[k] = uint8_t(v[k]);
    t.Valid = 1;
    return t;
}

TCodeRec MakeGameTicket(std::initializer_list<int> fronts, std::initializer_list<int> backs) {
    TCodeRec t{};
    int k = 0;
    for (int v : fronts)
        if (k < GameLimits::kMaxFrontPicks) t.Red[k++] = uint8_t(v);
    for (int b : backs)
        if (b >= 1 && b <= GameLimits::kMaxBackPool) t.Blue[b - 1] = 1;
    t.Valid = 1;
    return t;
}
