#include "engine/wheel/ResultWheel.h"

#include "engine/core/Binomial.h"
#include "engine/core/KelvoraError.h"
#include "engine/io/JsonWriter.h"
#include "engine/wheel/Wheel.h"
#include "engine/wheel/WheelCheck.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <queue>
#include <random>
#include <utility>

using CancelFlag = const std::atomic<bool>*;

namespace {

// Which tickets of the list share at least T numbers with each ticket (itself included), found
// through the T-subsets they have in common.
struct Neighbours {
    std::vector<int64_t> start;
    std::vector<int32_t> list;
    const int32_t* begin(int i) const { return list.data() + start[i]; }
    const int32_t* end(int i) const { return list.data() + start[i + 1]; }
};

constexpr int64_t neighbourLimit = 60'000'000;
// Tickets handled between two looks at the cancel flag.
constexpr int cancelEvery = 4096;

void throwIfCancelled(CancelFlag cancel) {
    if (cancel && cancel->load(std::memory_order_relaxed)) throw KelvoraError(WheelCancelledMessage());
}

void forEachSubmask(uint64_t mask, int r, std::vector<uint64_t>& out) {
    int pos[64];
    int n = 0;
    for (uint64_t m = mask; m; m &= m - 1)
        pos[n++] = std::countr_zero(m);
    out.clear();
    if (r > n) return;
    int idx[64];
    for (int i = 0; i < r; ++i)
        idx[i] = i;
    for (;;) {
        uint64_t s = 0;
        for (int i = 0; i < r; ++i)
            s |= uint64_t(1) << pos[idx[i]];
        out.push_back(s);
        int i = r - 1;
        while (i >= 0 && idx[i] == n - r + i)
            --i;
        if (i < 0) return;
        ++idx[i];
        for (int j = i + 1; j < r; ++j)
            idx[j] = idx[j - 1] + 1;
    }
}

// A set of masks with open addressing: millions of lookups at a fraction of a node set's cost.
class MaskSet {
  public:
    explicit MaskSet(size_t expected) {
        int bits = 4;
        while ((size_t(1) << bits) < 2 * expected)
            ++bits;
        m_shift = 64 - bits;
        m_slots.assign(size_t(1) << bits, 0);
    }
    // True when x was not in the set yet.
    bool insert(uint64_t x) {
        if (x == 0) return !std::exchange(m_hasZero, true);
        for (size_t i = slot(x);; i = (i + 1) & (m_slots.size() - 1)) {
            if (m_slots[i] == x) return false;
            if (m_slots[i] == 0) {
                m_slots[i] = x;
                return true;
            }
        }
    }
    bool contains(uint64_t x) const {
        if (x == 0) return m_hasZero;
        for (size_t i = slot(x);; i = (i + 1) & (m_slots.size() - 1)) {
            if (m_slots[i] == x) return true;
            if (m_slots[i] == 0) return false;
        }
    }

  private:
    size_t slot(uint64_t x) const { return size_t((x * 0x9E3779B97F4A7C15ull) >> m_shift); }
    std::vector<uint64_t> m_slots;
    int m_shift = 60;
    bool m_hasZero = false;
};

KelvoraError TooDenseError(int held, int tickets) {
    return KelvoraError(
        QStringLiteral("注数太多：保%1时无法旋转这%2注，请选择更大的保证号码数").arg(held).arg(tickets));
}

using SubsetKey = std::pair<uint64_t, int32_t>; // a T-subset and the ticket holding it

// The keys in ascending order, sorted in slices by the subset's two highest numbers (the order of one
// sort, as slices follow each other in value) so that the cancel flag is looked at between slices.
void sortKeys(std::vector<SubsetKey>& keys, CancelFlag cancel) {
    constexpr int slices = 64 * 64;
    auto sliceOf = [](uint64_t s) {
        if (s == 0) return 0;
        const int top = 63 - std::countl_zero(s);
        const uint64_t rest = s & ~(uint64_t(1) << top);
        return top * 64 + (rest ? 63 - std::countl_zero(rest) : 0);
    };
    std::vector<int64_t> start(slices + 1, 0);
    for (const SubsetKey& k : keys)
        ++start[sliceOf(k.first) + 1];
    for (int i = 0; i < slices; ++i)
        start[i + 1] += start[i];
    std::vector<int64_t> next(start.begin(), start.end() - 1);
    std::vector<SubsetKey> sorted(keys.size());
    for (const SubsetKey& k : keys)
        sorted[next[sliceOf(k.first)]++] = k;
    keys = std::vector<SubsetKey>();
    for (int i = 0; i < slices; ++i) {
        if (start[i + 1] - start[i] < 2) continue;
        throwIfCancelled(cancel);
        std::sort(sorted.begin() + start[i], sorted.begin() + start[i + 1]);
    }
    keys.swap(sorted);
}

Neighbours findNeighbours(const std::vector<uint64_t>& t, int held, CancelFlag cancel = nullptr) {
    const int m = int(t.size());
    std::vector<SubsetKey> keys;
    std::vector<uint64_t> subs;
    for (int i = 0; i < m; ++i) {
        if (i % cancelEvery == 0) throwIfCancelled(cancel);
        forEachSubmask(t[i], held, subs);
        for (uint64_t s : subs)
            keys.emplace_back(s, i);
    }
    sortKeys(keys, cancel);
    throwIfCancelled(cancel);
    // The groups of equal subsets, and for each ticket the groups of its subsets (ascending).
    std::vector<int64_t> groupStart;
    std::vector<int64_t> groupsAt(size_t(m) + 1, 0);
    for (size_t k = 0; k < keys.size(); ++k) {
        if (k == 0 || keys[k].first != keys[k - 1].first) groupStart.push_back(int64_t(k));
        ++groupsAt[keys[k].second + 1];
    }
    groupStart.push_back(int64_t(keys.size()));
    // Two tickets meet in at most C(n, T) groups (n numbers a ticket), so the pairs within the groups
    // tell early that the neighbour lists would pass their limit.
    int64_t pairs = 0;
    for (size_t g = 0; g + 1 < groupStart.size(); ++g) {
        const int64_t size = groupStart[g + 1] - groupStart[g];
        pairs += size * size;
    }
    int64_t mostShared = 1;
    for (uint64_t ticket : t)
        mostShared = std::max(mostShared, Binomial(std::popcount(ticket), held));
    if (pairs / mostShared > neighbourLimit) throw TooDenseError(held, m);
    for (int i = 0; i < m; ++i)
        groupsAt[i + 1] += groupsAt[i];
    std::vector<int64_t> groups(keys.size());
    {
        std::vector<int64_t> next(groupsAt.begin(), groupsAt.end() - 1);
        int64_t g = -1;
        for (size_t k = 0; k < keys.size(); ++k) {
            if (k == 0 || keys[k].first != keys[k - 1].first) ++g;
            groups[next[keys[k].second]++] = g;
        }
    }
    throwIfCancelled(cancel);
    Neighbours nb;
    nb.start.assign(m + 1, 0);
    std::vector<int32_t> stamp(m, -1);
    for (int i = 0; i < m; ++i) {
        if (i % cancelEvery == 0) throwIfCancelled(cancel);
        for (int64_t at = groupsAt[i]; at < groupsAt[i + 1]; ++at) {
            const int64_t g = groups[at];
            for (int64_t k = groupStart[g]; k < groupStart[g + 1]; ++k) {
                const int32_t j = keys[k].second;
                if (stamp[j] == i) continue;
                stamp[j] = i;
                nb.list.push_back(j);
            }
        }
        if (int64_t(nb.list.size()) > neighbourLimit) throw TooDenseError(held, m);
        nb.start[i + 1] = int64_t(nb.list.size());
    }
    return nb;
}

std::vector<uint64_t> distinctTickets(const std::vector<uint64_t>& tickets) {
    std::vector<uint64_t> out;
    MaskSet seen(tickets.size());
    for (uint64_t t : tickets)
        if (seen.insert(t)) out.push_back(t);
    return out;
}

std::vector<int> greedyCover(const Neighbours& nb, int m, CancelFlag cancel = nullptr) {
    std::vector<int> gain(m);
    std::priority_queue<std::pair<int, int>> heap; // (gain, -index): the first ticket wins ties
    for (int i = 0; i < m; ++i) {
        gain[i] = int(nb.end(i) - nb.begin(i));
        heap.emplace(gain[i], -i);
    }
    std::vector<char> covered(m, 0);
    std::vector<int> chosen;
    int left = m;
    while (left > 0 && !heap.empty()) {
        auto [g, neg] = heap.top();
        heap.pop();
        const int i = -neg;
        if (g != gain[i]) {
            if (gain[i] > 0) heap.emplace(gain[i], -i);
            continue;
        }
        if (chosen.size() % cancelEvery == 0) throwIfCancelled(cancel);
        chosen.push_back(i);
        for (const int32_t* u = nb.begin(i); u != nb.end(i); ++u) {
            if (covered[*u]) continue;
            covered[*u] = 1;
            --left;
            for (const int32_t* w = nb.begin(*u); w != nb.end(*u); ++w)
                --gain[*w];
        }
    }
    return chosen;
}

// Ticket indexes in no order, with each one's place: insert and erase in constant time.
class TicketSet {
  public:
    explicit TicketSet(int tickets) : m_at(size_t(tickets), -1) {}
    void insert(int i) {
        m_at[i] = int(m_items.size());
        m_items.push_back(i);
    }
    void erase(int i) {
        const int at = m_at[i];
        m_items[at] = m_items.back();
        m_at[m_items[at]] = at;
        m_items.pop_back();
        m_at[i] = -1;
    }
    const std::vector<int>& items() const { return m_items; }
    int operator[](size_t k) const { return m_items[k]; }
    size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    std::vector<int>::const_iterator begin() const { return m_items.begin(); }
    std::vector<int>::const_iterator end() const { return m_items.end(); }

  private:
    std::vector<int> m_items;
    std::vector<int> m_at;
};

// Covering-design annealing over the list: a fixed count b of chosen tickets, the cost the tickets
// of the list none of them meets. A move trades a chosen ticket for one meeting a random unmet ticket
// and is taken by the Metropolis rule; on cost 0 the cover is kept and b lowered by the ticket that
// alone meets fewest. The temperature stays low and falls little: on dense lists a hotter start only
// loses the cover and a colder end freezes it (measured on lists of 19 and 20 numbers).
struct AnnealLimits {
    int64_t work = 0; // neighbour-list entries visited
    int64_t moves = 0;
    std::chrono::steady_clock::time_point deadline;
    CancelFlag cancel = nullptr;
    std::function<void(double done)> progress;
};

struct AnnealOutcome {
    std::vector<int> best; // the smallest cover found, or empty
    bool cancelled = false;
};

AnnealOutcome annealCover(const Neighbours& nb, const std::vector<uint64_t>& t, int held,
                          const std::vector<int>& start, const AnnealLimits& limits, std::mt19937_64& rng) {
    constexpr double startTemperature = 0.3;
    constexpr double endTemperature = 0.21;
    AnnealOutcome out;
    const int m = int(t.size());
    if (start.size() <= 1 || limits.work <= 0 || limits.moves <= 0) return out;
    std::vector<char> in(m, 0);
    std::vector<int> count(m, 0);
    TicketSet sol(m);
    TicketSet unmet(m);
    int64_t work = 0;
    auto degree = [&](int i) { return nb.start[i + 1] - nb.start[i]; };
    auto add = [&](int c) {
        work += degree(c);
        in[c] = 1;
        sol.insert(c);
        for (const int32_t* u = nb.begin(c); u != nb.end(c); ++u)
            if (count[*u]++ == 0) unmet.erase(*u);
    };
    auto remove = [&](int c) {
        work += degree(c);
        in[c] = 0;
        sol.erase(c);
        for (const int32_t* u = nb.begin(c); u != nb.end(c); ++u)
            if (--count[*u] == 0) unmet.insert(*u);
    };
    // Drops the chosen ticket that alone meets fewest tickets of the list.
    auto dropWeakest = [&] {
        int weakest = -1;
        int fewest = INT32_MAX;
        for (int s : sol) {
            work += degree(s);
            int alone = 0;
            for (const int32_t* u = nb.begin(s); u != nb.end(s); ++u)
                alone += count[*u] == 1;
            if (alone < fewest) {
                fewest = alone;
                weakest = s;
            }
        }
        remove(weakest);
    };
    for (int i = 0; i < m; ++i)
        unmet.insert(i);
    for (int c : start)
        add(c);
    out.best = start;
    dropWeakest();
    double temperature = startTemperature;
    std::uniform_real_distribution<double> uniform(0, 1);
    // The clock and the flag are looked at every 64 moves and after every lookWork entries visited.
    constexpr int64_t lookWork = 1 << 20;
    int64_t nextLook = 0;
    for (int64_t move = 0; move < limits.moves && work < limits.work; ++move) {
        if ((move & 63) == 0 || work >= nextLook) {
            nextLook = work + lookWork;
            if (std::chrono::steady_clock::now() >= limits.deadline) break;
            if (limits.cancel && limits.cancel->load(std::memory_order_relaxed)) {
                out.cancelled = true;
                break;
            }
            const double done =
                std::max(double(move) / double(limits.moves), double(work) / double(limits.work));
            temperature = startTemperature * std::pow(endTemperature / startTemperature, done);
            if (limits.progress && (move & 16383) == 0) limits.progress(done);
        }
        if (unmet.empty()) {
            out.best = sol.items();
            if (sol.size() <= 1) break;
            dropWeakest();
            continue;
        }
        const int e = unmet[rng() % unmet.size()];
        const int c = nb.begin(e)[rng() % uint64_t(degree(e))];
        // Out goes mostly a chosen ticket near the newcomer (they meet the same tickets), else any.
        int s = -1;
        if (count[c] > 0 && (rng() & 3) != 0) {
            int seen = 0;
            work += degree(c);
            for (const int32_t* w = nb.begin(c); w != nb.end(c); ++w)
                if (in[*w] && rng() % uint64_t(++seen) == 0) s = *w;
        } else {
            s = sol[rng() % sol.size()];
        }
        work += degree(c) + degree(s);
        int delta = 0;
        for (const int32_t* u = nb.begin(c); u != nb.end(c); ++u)
            delta -= count[*u] == 0;
        for (const int32_t* u = nb.begin(s); u != nb.end(s); ++u)
            if (count[*u] == 1 && std::popcount(t[*u] & t[c]) < held) ++delta;
        if (delta <= 0 || uniform(rng) < std::exp(-delta / temperature)) {
            remove(s);
            add(c);
        }
    }
    if (unmet.empty()) out.best = sol.items();
    return out;
}

// T is at least 2 and at most the numbers of a ticket of the list (six, or seven for seven-number
// tickets); an empty list is refused on its own.
void checkHeld(int held, const std::vector<uint64_t>& tickets) {
    int picks = 0;
    for (uint64_t t : tickets)
        picks = std::max(picks, std::popcount(t));
    if (picks == 0) return;
    if (held < 2 || held > picks)
        throw KelvoraError(QStringLiteral("保证号码数%1无效：应为2-%2").arg(held).arg(picks));
}

} // namespace

TicketWheelCheck CheckTicketWheel(const std::vector<int>& numbers, int drawn, int held,
                                  const std::vector<uint64_t>& tickets) {
    const int v = int(numbers.size());
    if (v < 1 || v > WheelMaxNumbers)
        throw KelvoraError(
            QStringLiteral("号码个数为%1个：旋转矩阵需要最多%2个号码").arg(v).arg(WheelMaxNumbers));
    std::vector<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    std::vector<WheelMask> masks;
    masks.reserve(tickets.size());
    for (uint64_t t : tickets) {
        WheelMask m = 0;
        for (int i = 0; i < v; ++i)
            if (t >> sorted[i] & 1u) m |= WheelMask(1) << i;
        masks.push_back(m);
    }
    const WheelCheckResult r = CheckWheel(v, drawn, held, masks, 10);
    TicketWheelCheck c;
    c.count = int(tickets.size());
    c.v = v;
    c.drawn = drawn;
    c.held = held;
    c.draws = r.draws;
    c.uncovered = r.uncovered;
    for (WheelMask d : r.examples) {
        std::vector<int> draw;
        for (int i = 0; i < v; ++i)
            if (d >> i & 1u) draw.push_back(sorted[i]);
        c.examples.push_back(std::move(draw));
    }
    return c;
}

QStringList TicketWheelCheckLines(const TicketWheelCheck& c) {
    QStringList lines;
    lines << QStringLiteral("共%1注，检查全部%2种开奖组合（中%3保%4，%5个号码）")
                 .arg(c.count)
                 .arg(c.draws)
                 .arg(c.drawn)
                 .arg(c.held)
                 .arg(c.v);
    if (c.uncovered == 0) {
        lines << QStringLiteral("已验证：全部%1种开奖组合均满足").arg(c.draws);
        return lines;
    }
    lines << QStringLiteral("有%1种开奖组合不满足中%2保%3，例如：").arg(c.uncovered).arg(c.drawn).arg(c.held);
    for (const std::vector<int>& d : c.examples) {
        QString s;
        for (int n : d) {
            if (!s.isEmpty()) s += QLatin1Char(' ');
            s += QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        }
        lines << s;
    }
    return lines;
}

QString TicketWheelCheckJson(const TicketWheelCheck& c, const Game& game) {
    JsonWriter w;
    w.beginObject().member(u"game", game.keyText()).member(u"count", c.count).member(u"uncovered", c.uncovered);
    w.key(u"examples").beginArray();
    for (const std::vector<int>& example : c.examples)
        w.numbers(example);
    return w.endArray().endObject().text();
}

std::vector<int> GreedyResultCover(const std::vector<uint64_t>& tickets, int held) {
    checkHeld(held, tickets);
    const std::vector<uint64_t> t = distinctTickets(tickets);
    return greedyCover(findNeighbours(t, held), int(t.size()));
}

int64_t UncoveredResultTickets(const std::vector<uint64_t>& tickets, const std::vector<uint64_t>& chosen,
                               int held) {
    // Two tickets share T numbers exactly when they share a T-subset: look each ticket's subsets up
    // among the chosen tickets' rather than comparing every pair.
    std::vector<uint64_t> subs;
    size_t expected = 0;
    for (uint64_t c : chosen)
        expected += size_t(Binomial(std::popcount(c), held));
    MaskSet chosenSubsets(expected);
    for (uint64_t c : chosen) {
        forEachSubmask(c, held, subs);
        for (uint64_t sub : subs)
            chosenSubsets.insert(sub);
    }
    int64_t uncovered = 0;
    for (uint64_t t : tickets) {
        forEachSubmask(t, held, subs);
        uncovered +=
            std::none_of(subs.begin(), subs.end(), [&](uint64_t sub) { return chosenSubsets.contains(sub); });
    }
    return uncovered;
}

ResultWheel CoverResultTickets(const std::vector<uint64_t>& tickets, int held,
                               const ResultCoverOptions& options) {
    checkHeld(held, tickets);
    const std::vector<uint64_t> t = distinctTickets(tickets);
    if (t.empty()) throw KelvoraError(QStringLiteral("没有可旋转的投注号码"));
    const auto deadline = std::chrono::steady_clock::now() + options.timeLimit;
    const int m = int(t.size());
    const Neighbours nb = findNeighbours(t, held, options.cancel);
    if (options.progress) options.progress(100);
    const std::vector<int> greedy = greedyCover(nb, m, options.cancel);
    if (options.progress) options.progress(200);

    // Weighted swap search (dominating set with element weights): keep one ticket fewer than the
    // best cover, swap the chosen ticket that loses least for the best one meeting a random unmet
    // ticket, and weigh unmet tickets up so the search leaves local minima. Scores are kept
    // incrementally: for a chosen ticket minus the weight only it meets, else the unmet weight it meets.
    std::mt19937_64 rng(options.seed);
    std::vector<char> in(m, 0);
    std::vector<int> count(m, 0);
    std::vector<int64_t> weight(m, 1);
    std::vector<int64_t> score(m, 0);
    TicketSet sol(m);
    TicketSet unmet(m);
    int64_t work = 0; // neighbour-list entries visited
    auto degree = [&](int i) { return nb.start[i + 1] - nb.start[i]; };
    for (int i = 0; i < m; ++i) {
        unmet.insert(i);
        score[i] = int64_t(nb.end(i) - nb.begin(i));
    }
    auto add = [&](int c) {
        work += 2 * degree(c);
        in[c] = 1;
        sol.insert(c);
        for (const int32_t* u = nb.begin(c); u != nb.end(c); ++u) {
            const int n = ++count[*u];
            if (n == 1) {
                work += degree(*u);
                unmet.erase(*u);
                for (const int32_t* w = nb.begin(*u); w != nb.end(*u); ++w)
                    score[*w] -= weight[*u];
            } else if (n == 2) {
                for (const int32_t* w = nb.begin(*u); w != nb.end(*u); ++w)
                    if (in[*w] && *w != c) {
                        score[*w] += weight[*u];
                        break;
                    }
            }
        }
        int64_t l = 0;
        for (const int32_t* u = nb.begin(c); u != nb.end(c); ++u)
            if (count[*u] == 1) l += weight[*u];
        score[c] = -l;
    };
    auto remove = [&](int c) {
        work += 2 * degree(c);
        in[c] = 0;
        sol.erase(c);
        for (const int32_t* u = nb.begin(c); u != nb.end(c); ++u) {
            const int n = --count[*u];
            if (n == 0) {
                work += degree(*u);
                unmet.insert(*u);
                for (const int32_t* w = nb.begin(*u); w != nb.end(*u); ++w)
                    if (*w != c) score[*w] += weight[*u];
            } else if (n == 1) {
                for (const int32_t* w = nb.begin(*u); w != nb.end(*u); ++w)
                    if (in[*w]) {
                        score[*w] -= weight[*u];
                        break;
                    }
            }
        }
        int64_t g = 0;
        for (const int32_t* u = nb.begin(c); u != nb.end(c); ++u)
            if (count[*u] == 0) g += weight[*u];
        score[c] = g;
    };
    // The chosen ticket that loses least, the first on ties.
    auto cheapest = [&](int skip) {
        work += int64_t(sol.size());
        int drop = -1;
        for (int c : sol) {
            if (c == skip) continue;
            if (drop < 0 || score[c] > score[drop]) drop = c;
        }
        return drop < 0 ? sol[0] : drop;
    };
    // When no ticket meets another, every one is needed: the greedy choice is the list itself.
    const bool allNeeded = int64_t(nb.list.size()) == int64_t(m);
    // The annealing from the greedy cover first, on most of the budget: on dense lists it ends some
    // 1% below what the swap search reaches alone; the swap search goes on from its cover. A move
    // visits few entries in order, some 1.75 times as fast as the swap search's: its work budget is
    // that much larger for the same time, and its moves are counted too, for lists of short
    // neighbour lists where the lookups, not the entries, take the time.
    constexpr double annealShare = 0.8;
    constexpr double annealEntriesPerSwapEntry = 1.75;
    constexpr int64_t annealMovesPerTicket = 570;
    bool cancelled = false;
    std::vector<int> best = greedy;
    if (!allNeeded) {
        AnnealLimits limits;
        limits.work = int64_t(double(options.work) * annealShare * annealEntriesPerSwapEntry);
        limits.moves = annealMovesPerTicket * m;
        limits.deadline = deadline;
        limits.cancel = options.cancel;
        if (options.progress)
            limits.progress = [&](double done) { options.progress(200 + int(800 * annealShare * done)); };
        AnnealOutcome annealed = annealCover(nb, t, held, greedy, limits, rng);
        cancelled = annealed.cancelled;
        if (!annealed.best.empty()) best = std::move(annealed.best);
    }
    for (int c : best)
        add(c);
    int lastAdded = -1;
    int lastRemoved = -1;
    std::vector<int64_t> seenAt(m, -1);
    std::vector<int> ownedFrom(m, 0);
    std::vector<int> ownedTo(m, 0);
    std::vector<int32_t> owned;
    const int64_t steps = allNeeded ? 0 : int64_t(double(options.stepsPerTicket) * double(m) * (1 - annealShare));
    const int64_t swapWork = int64_t(double(options.work) * (1 - annealShare));
    // The clock and the flag are looked at every 64 steps and after every lookWork entries visited,
    // so a step that visits long lists cannot hold a cancel up.
    constexpr int64_t lookWork = 1 << 20;
    int64_t nextLook = 0;
    for (int64_t it = 0; !cancelled && it < steps && work < swapWork; ++it) {
        if ((it & 63) == 0 || work >= nextLook) {
            nextLook = work + lookWork;
            if (std::chrono::steady_clock::now() >= deadline) break;
            if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
                cancelled = true;
                break;
            }
        }
        if (options.progress && (it & 4095) == 0)
            options.progress(200 + int(800 * annealShare) + int(800 * (1 - annealShare) *
                                       std::max(double(it) / double(steps),
                                                double(work) / double(std::max<int64_t>(1, swapWork)))));
        while (unmet.empty()) {
            work += int64_t(sol.size());
            best = sol.items();
            if (sol.size() <= 1) break;
            const int drop = cheapest(-1);
            remove(drop);
            lastRemoved = drop;
        }
        if (unmet.empty()) break;
        // A paired move: a ticket that meets a random unmet ticket comes in and a chosen ticket
        // near it goes out, the pair with the best weighted change. No neighbour of e is chosen.
        const int e = unmet[rng() % unmet.size()];
        int pick = -1;
        int drop = -1;
        int64_t bestScore = INT64_MIN;
        int ties = 0;
        owned.clear();
        for (const int32_t* c = nb.begin(e); c != nb.end(e); ++c) {
            if (*c == lastRemoved) continue;
            work += degree(*c);
            const int64_t g = score[*c];
            // count[c] chosen tickets are near c: stop once all are seen.
            int near = count[*c];
            for (const int32_t* s = nb.begin(*c); near > 0 && s != nb.end(*c); ++s) {
                if (!in[*s]) continue;
                --near;
                if (*s == lastAdded) continue;
                if (seenAt[*s] != it) {
                    // The tickets only s meets, gathered once per step.
                    seenAt[*s] = it;
                    work += degree(*s);
                    ownedFrom[*s] = int(owned.size());
                    for (const int32_t* u = nb.begin(*s); u != nb.end(*s); ++u)
                        if (count[*u] == 1) owned.push_back(*u);
                    ownedTo[*s] = int(owned.size());
                }
                int64_t l = 0;
                for (int k = ownedFrom[*s]; k < ownedTo[*s]; ++k)
                    if (std::popcount(t[owned[k]] & t[*c]) < held) l += weight[owned[k]];
                const int64_t value = g - l;
                if (value > bestScore) {
                    bestScore = value;
                    pick = *c;
                    drop = *s;
                    ties = 1;
                } else if (value == bestScore && rng() % uint64_t(++ties) == 0) {
                    pick = *c;
                    drop = *s;
                }
            }
        }
        if (drop < 0) {
            // No chosen ticket is near: trade the least useful one for the best newcomer.
            drop = cheapest(lastAdded);
            pick = -1;
        }
        remove(drop);
        lastRemoved = drop;
        if (pick < 0) {
            for (const int32_t* c = nb.begin(e); c != nb.end(e); ++c) {
                if (in[*c] || *c == lastRemoved) continue;
                if (pick < 0 || score[*c] > score[pick]) pick = *c;
            }
            if (pick < 0) pick = e;
        }
        add(pick);
        lastAdded = pick;
        for (int u : unmet) {
            work += degree(u);
            ++weight[u];
            for (const int32_t* w = nb.begin(u); w != nb.end(u); ++w)
                ++score[*w];
        }
    }
    if (unmet.empty() && sol.size() < best.size()) best = sol.items();
    std::sort(best.begin(), best.end());
    ResultWheel w;
    w.from = m;
    w.held = held;
    w.greedyCount = int(greedy.size());
    w.cancelled = cancelled;
    for (int c : best)
        w.tickets.push_back(t[c]);
    w.uncovered = UncoveredResultTickets(t, w.tickets, held);
    if (w.uncovered != 0) throw KelvoraError(QStringLiteral("旋转结果未通过验证，没有生成投注号码"));
    if (options.progress) options.progress(1000);
    return w;
}

QString TicketMaskText(uint64_t mask) {
    QString s;
    for (int n = 1; n < 64; ++n) {
        if (!(mask >> n & 1u)) continue;
        if (!s.isEmpty()) s += QLatin1Char(' ');
        s += QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    }
    return s;
}

QStringList ResultWheelLines(const ResultWheel& wheel) {
    QStringList lines;
    for (uint64_t t : wheel.tickets)
        lines << TicketMaskText(t);
    return lines;
}

QString ResultWheelCountLine(const ResultWheel& wheel) {
    return QStringLiteral("共%1注（%2注中每注都与其中一注相同至少%3个号码）")
        .arg(wheel.tickets.size())
        .arg(wheel.from)
        .arg(wheel.held);
}

QString ResultWheelJson(const ResultWheel& wheel, const Game& game) {
    JsonWriter w;
    w.beginObject().member(u"game", game.keyText()).member(u"from", wheel.from).member(u"guarantee", wheel.held);
    w.key(u"tickets").beginArray();
    for (uint64_t ticket : wheel.tickets)
        w.maskNumbers(ticket);
    w.endArray().member(u"count", wheel.tickets.size()).member(u"uncovered", wheel.uncovered);
    return w.endObject().text();
}

QStringList TicketLinesWithBlues(const QStringList& lines, uint32_t blueMask) {
    if (!blueMask) return lines;
    const QString blues = QLatin1Char('+') + TicketMaskText(blueMask);
    QStringList out;
    out.reserve(lines.size());
    for (const QString& line : lines)
        out << line + blues;
    return out;
}

int64_t WheelBets(int64_t tickets, int blueCount) {
    return tickets * std::max(1, blueCount);
}

int64_t WheelBets(int64_t tickets, int backCount, const Game& game) {
    return tickets * std::max<int64_t>(1, Binomial(backCount, game.backPicks));
}

QString BankerLineInWheelMessage(int line) {
    return QStringLiteral("第%1行是胆拖号码：旋转矩阵只接受单式或复式号码").arg(line);
}
