#include "engine/shrink/Conditions.h"

#include "engine/core/KelvoraError.h"
#include "engine/shrink/ListReader.h"

namespace {

constexpr ConditionMask bitOf(int condition) {
    return ConditionMask(1) << condition;
}

bool anyChecked(const bool* items, int count) {
    for (int k = 0; k < count; ++k)
        if (items[k]) return true;
    return false;
}

// A matrix with nothing checked is off; otherwise a value fails unless its item is checked
// (values without an item fail).
template <size_t N, size_t M>
bool fillMatrix(std::array<ConditionMask, N>& fail, const std::array<bool, M>& items, int condition) {
    if (!anyChecked(items.data(), int(M))) return false;
    for (size_t v = 0; v < N; ++v)
        if (v >= M || !items[v]) fail[v] |= bitOf(condition);
    return true;
}

// Three chosen counts (-1 = "不选") against counts a, b and picks - a - b.
bool fillTriple(std::array<ConditionMask, 64>& fail, const std::array<int, 3>& wanted, int condition,
                int picks) {
    if (wanted[0] < 0 && wanted[1] < 0 && wanted[2] < 0) return false;
    for (int a = 0; a <= picks; ++a)
        for (int b = 0; a + b <= picks; ++b) {
            const int c = picks - a - b;
            if ((wanted[0] >= 0 && wanted[0] != a) || (wanted[1] >= 0 && wanted[1] != b) ||
                (wanted[2] >= 0 && wanted[2] != c))
                fail[size_t(a | b << 3)] |= bitOf(condition);
        }
    return true;
}

// A list of front numbers (1..pool) as a bit mask and a set.
uint64_t readSet(const QString& text, const QString& name, NumberSet& set, int pool) {
    uint64_t mask = 0;
    for (int v : ReadNumberList(text, 1, pool, name)) {
        set[size_t(v)] = 1;
        mask |= uint64_t(1) << v;
    }
    return mask;
}

// A list of sums or tails as flags (sums reach 183, beyond any mask); true when it names any value.
bool readFlags(const QString& text, int low, int high, const QString& name, bool* values) {
    const QList<int> list = ReadNumberList(text, low, high, name);
    for (int v : list)
        values[v] = true;
    return !list.isEmpty();
}

void checkRange(const QString& condition, int value, int low, int high) {
    if (value < low || value > high) throw KelvoraError(OutOfRangeText(condition, value, low, high));
}

void checkChoice(const QString& condition, int value, int high) {
    if (value < -1 || value > high) throw KelvoraError(OutOfRangeText(condition, value, 0, high));
}

} // namespace

QString ConditionName(int condition) {
    static const char16_t* const names[ConditionCount] = {
        u"复式号码", u"和值范围", u"和值排除",   u"奇偶比",     u"重号",   u"连号",
        u"和尾范围", u"和尾排除", u"必不出号码", u"必同出号码", u"大小比", u"最大号码",
        u"最小号码", u"跨度",     u"三区个数",   u"除3余数",    u"AC值",   u"中奖号码控制"};
    if (condition < 0 || condition >= ConditionCount) return QString();
    return QString::fromUtf16(names[condition]);
}

void CheckShrinkInput(const ShrinkInput& in, const Game& game) {
    // Matrix items beyond the game's picks name counts no ticket can have.
    auto checkItems = [&](const QString& condition, const bool* items, int count, int high) {
        for (int k = high + 1; k < count; ++k)
            if (items[k]) throw KelvoraError(OutOfRangeText(condition, k, 0, high));
    };
    checkItems(QStringLiteral("奇偶比"), in.oddEven.data(), int(in.oddEven.size()), game.frontPicks);
    checkItems(QStringLiteral("大小比"), in.bigSmall.data(), int(in.bigSmall.size()), game.frontPicks);
    for (const ShrinkHitRow& row : in.hitRows)
        checkItems(QStringLiteral("中奖号码控制"), row.items.data(), int(row.items.size()),
                   game.frontPicks - 1);
    checkRange(QStringLiteral("和值范围"), in.sumMin, game.sumMin(), game.sumMax());
    checkRange(QStringLiteral("和值范围"), in.sumMax, game.sumMin(), game.sumMax());
    checkRange(QStringLiteral("合值范围"), in.tailMin, 0, 9);
    checkRange(QStringLiteral("合值范围"), in.tailMax, 0, 9);
    checkRange(QStringLiteral("最大号码"), in.maxCode, 1, game.frontPool);
    checkRange(QStringLiteral("最小号码"), in.minCode, 1, game.frontPool);
    checkChoice(QStringLiteral("跨度"), in.spanMin, game.spanMax());
    checkChoice(QStringLiteral("跨度"), in.spanMax, game.spanMax());
    for (int k = 0; k < 3; ++k) {
        checkChoice(game.zoneCaption(k) + QStringLiteral("出号个数"), in.zones[k], game.frontPicks);
        checkChoice(QStringLiteral("除3余数为%1的个数").arg(k), in.mod3[k], game.frontPicks);
    }
    checkChoice(QStringLiteral("AC值"), in.acMin, game.acMax());
    checkChoice(QStringLiteral("AC值"), in.acMax, game.acMax());
    checkRange(QStringLiteral("容错"), in.tolerance, 0, MaxTolerance);
    if (in.linkIndex < 0 || in.linkIndex > 3)
        throw KelvoraError(OutOfRangeText(QStringLiteral("连号设定"), in.linkIndex, 0, 2));
}

ShrinkConditions::ShrinkConditions(const ShrinkInput& in, const Game& game) : m_game(&game) {
    CheckShrinkInput(in, game);
    const int pool = game.frontPool;
    const int picks = game.frontPicks;
    // The lists in the order the run reads them, so the first bad list is the same one.
    bool excludedSum[256] = {};
    const bool excludedSumsOn =
        readFlags(in.excludeSums, 0, game.sumMax(), QStringLiteral("和值排除"), excludedSum);
    bool excludedTail[10] = {};
    const bool excludedTailsOn = readFlags(in.excludeTails, 0, 9, QStringLiteral("必不出合值"), excludedTail);
    m_excluded = readSet(in.excludeNumbers, QStringLiteral("必不出号码"), m_excludedSet, pool);
    m_required = readSet(in.requireNumbers, QStringLiteral("必同出号码"), m_requiredSet, pool);
    bool rowOn[4] = {};
    for (int r = 0; r < 4; ++r) {
        m_hitRows[size_t(r)] =
            readSet(in.hitRows[size_t(r)].list, QStringLiteral("控制中奖号码第%1行").arg(r + 1),
                    m_hitSets[size_t(r)], pool);
        rowOn[r] = m_hitRows[size_t(r)] != 0;
    }

    for (int n = 1; n <= pool; ++n)
        if (in.candidates[size_t(n - 1)]) m_candidates |= uint64_t(1) << n;
    ConditionMask active = bitOf(SumRangeCondition);
    if (in.candidateCount(game) < pool) active |= bitOf(CandidatesCondition);

    const bool tailRangeOn = !(in.tailMin == 0 && in.tailMax == 9);
    for (int s = 0; s < 256; ++s) {
        const int tail = s % 10;
        ConditionMask& f = m_tables.sumFail[size_t(s)];
        if (s < in.sumMin || s > in.sumMax) f |= bitOf(SumRangeCondition);
        if (excludedSum[s]) f |= bitOf(ExcludedSumsCondition);
        if (tailRangeOn && (tail < in.tailMin || tail > in.tailMax)) f |= bitOf(TailRangeCondition);
        if (excludedTail[tail]) f |= bitOf(ExcludedTailsCondition);
    }
    if (excludedSumsOn) active |= bitOf(ExcludedSumsCondition);
    if (tailRangeOn) active |= bitOf(TailRangeCondition);
    if (excludedTailsOn) active |= bitOf(ExcludedTailsCondition);

    if (fillMatrix(m_tables.oddFail, in.oddEven, OddEvenCondition)) active |= bitOf(OddEvenCondition);
    if (fillMatrix(m_tables.repeatFail, in.repeats, RepeatsCondition)) active |= bitOf(RepeatsCondition);
    if (fillMatrix(m_tables.bigFail, in.bigSmall, BigSmallCondition)) active |= bitOf(BigSmallCondition);

    // Runs of six numbers and more have no item.
    const int linkValues = int(m_tables.linkFail.size());
    if (in.linkIndex == 0) { // "有连号": a run of L + 1 numbers needs item L - 1
        for (int l = 0; l < linkValues; ++l)
            if (l == 0 || l >= 5 || !in.linkRuns[size_t(l - 1)])
                m_tables.linkFail[size_t(l)] |= bitOf(LinkCondition);
        active |= bitOf(LinkCondition);
    } else if (in.linkIndex == 1) { // "无连号"
        for (int l = 1; l < linkValues; ++l)
            m_tables.linkFail[size_t(l)] |= bitOf(LinkCondition);
        active |= bitOf(LinkCondition);
    }

    if (m_excluded) {
        for (int c = 1; c <= picks; ++c)
            m_tables.excludedFail[size_t(c)] |= bitOf(ExcludedNumbersCondition);
        active |= bitOf(ExcludedNumbersCondition);
    }
    if (m_required) {
        const int count = __builtin_popcountll(m_required);
        for (int c = 0; c <= picks; ++c)
            if (c != count) m_tables.requiredFail[size_t(c)] |= bitOf(RequiredNumbersCondition);
        active |= bitOf(RequiredNumbersCondition);
    }

    if (in.maxCode != pool) {
        for (int v = in.maxCode + 1; v <= pool; ++v)
            m_tables.maxFail[size_t(v)] |= bitOf(MaxCodeCondition);
        active |= bitOf(MaxCodeCondition);
    }
    if (in.minCode != 1) {
        for (int v = 0; v < in.minCode; ++v)
            m_tables.minFail[size_t(v)] |= bitOf(MinCodeCondition);
        active |= bitOf(MinCodeCondition);
    }
    if (in.spanMin >= 0 && in.spanMax >= 0) {
        for (int v = 0; v <= pool; ++v)
            if (v < in.spanMin || v > in.spanMax) m_tables.spanFail[size_t(v)] |= bitOf(SpanCondition);
        active |= bitOf(SpanCondition);
    }
    if (fillTriple(m_tables.zoneFail, in.zones, ZonesCondition, picks)) active |= bitOf(ZonesCondition);
    if (fillTriple(m_tables.mod3Fail, in.mod3, Mod3Condition, picks)) active |= bitOf(Mod3Condition);
    if (in.acMin >= 0 && in.acMax >= 0) {
        for (int v = 0; v <= game.acMax(); ++v)
            if (v < in.acMin || v > in.acMax) m_tables.acFail[size_t(v)] |= bitOf(AcCondition);
        active |= bitOf(AcCondition);
    }
    for (int r = 0; r < 4; ++r) {
        if (!rowOn[r]) continue;
        // Hits of every front have no item.
        for (int h = 0; h <= picks; ++h)
            if (h >= picks || !in.hitRows[size_t(r)].items[size_t(h)])
                m_tables.hitFail[size_t(r)][size_t(h)] |= bitOf(HitRowsCondition);
        active |= bitOf(HitRowsCondition);
    }
    m_active = active;
}

TicketMeasures ShrinkConditions::measure(const TCodeRec& t, const TCodeRec* previous) const {
    TicketMeasures m;
    m.sum = SumValue(t);
    m.odd = OddCount(t);
    m.common = previous ? CommonCount(t, *previous) : 0;
    const Game& game = *m_game;
    m.links = LongestRunLinks(t, game);
    m.big = BigCount(t, game);
    m.maxCode = MaxCode(t);
    m.minCode = MinCode(t);
    m.span = SpanValue(t, game);
    ZoneCounts(t, m.zones[0], m.zones[1], m.zones[2], game);
    Mod3Counts(t, m.mod3[0], m.mod3[1], m.mod3[2], game);
    m.ac = AcValue(t, game);
    m.excluded = CountInSet(t, m_excludedSet);
    m.required = CountInSet(t, m_requiredSet);
    for (int r = 0; r < 4; ++r)
        m.hits[r] = CountInSet(t, m_hitSets[size_t(r)]);
    return m;
}

ConditionMask ShrinkConditions::failed(const TCodeRec& t, const TCodeRec* previous) const {
    ConditionMask f = failedMeasures(measure(t, previous), previous != nullptr);
    for (int k = 0; k < m_game->frontPicks; ++k)
        if (!((m_candidates >> t.Red[k]) & 1)) f |= bitOf(CandidatesCondition);
    return f;
}
