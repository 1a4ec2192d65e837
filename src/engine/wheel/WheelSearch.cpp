#include "engine/wheel/WheelSearch.h"

#include "engine/core/Binomial.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

// Calls f with the mask of every r-subset of the positions pos[0..n).
template <class F> void forEachSubset(const int* pos, int n, int r, F&& f) {
    if (r < 0 || r > n) return;
    if (r == 0) {
        f(uint32_t(0));
        return;
    }
    int idx[WheelMaxNumbers];
    for (int i = 0; i < r; ++i)
        idx[i] = i;
    for (;;) {
        uint32_t m = 0;
        for (int i = 0; i < r; ++i)
            m |= uint32_t(1) << pos[idx[i]];
        f(m);
        int i = r - 1;
        while (i >= 0 && idx[i] == n - r + i)
            --i;
        if (i < 0) return;
        ++idx[i];
        for (int j = i + 1; j < r; ++j)
            idx[j] = idx[j - 1] + 1;
    }
}

int positions(uint32_t mask, int* pos) {
    int n = 0;
    while (mask) {
        pos[n++] = std::countr_zero(mask);
        mask &= mask - 1;
    }
    return n;
}

// Which draws each ticket meets, counted per draw, with the unmet draws kept in a list for random
// picks.
class Coverage {
  public:
    explicit Coverage(const WheelShape& s) : m_s(s) {
        for (int n = 0; n <= WheelMaxNumbers; ++n)
            for (int r = 0; r <= WheelMaxPicks; ++r)
                m_binom[n][r] = int32_t(Binomial(n, r));
        const int count = int(Binomial(s.v, s.drawn));
        m_draws.reserve(count);
        int pos[WheelMaxNumbers];
        for (int i = 0; i < s.v; ++i)
            pos[i] = i;
        m_draws.resize(count);
        forEachSubset(pos, s.v, s.drawn, [&](uint32_t m) { m_draws[rank(m)] = m; });
        m_count.assign(count, 0);
        m_weight.assign(count, 1);
        m_unmetAt.resize(count);
        m_unmet.resize(count);
        for (int i = 0; i < count; ++i) {
            m_unmet[i] = i;
            m_unmetAt[i] = i;
        }
        m_unmetSize = count;
    }

    int rank(uint32_t m) const {
        int r = 0;
        int j = 1;
        while (m) {
            r += m_binom[std::countr_zero(m)][j++];
            m &= m - 1;
        }
        return r;
    }

    // Every draw that ticket t meets: T..P of its numbers in t, the rest outside.
    template <class F> void forEachMet(uint32_t t, F&& f) const {
        int in[WheelMaxNumbers];
        int out[WheelMaxNumbers];
        const int nIn = positions(t, in);
        const int nOut = positions(full() & ~t, out);
        for (int i = m_s.held; i <= std::min(m_s.drawn, nIn); ++i)
            forEachSubset(in, nIn, i, [&](uint32_t a) {
                forEachSubset(out, nOut, m_s.drawn - i, [&](uint32_t b) { f(rank(a | b)); });
            });
    }

    void add(uint32_t t) {
        forEachMet(t, [&](int r) {
            if (m_count[r]++ == 0) dropUnmet(r);
        });
    }
    void remove(uint32_t t) {
        forEachMet(t, [&](int r) {
            if (--m_count[r] == 0) addUnmet(r);
        });
    }
    // Unmet draws gained by adding t.
    int gain(uint32_t t) const {
        int g = 0;
        forEachMet(t, [&](int r) { g += m_count[r] == 0; });
        return g;
    }
    // Change in the weight of the unmet draws when from is replaced by to.
    int64_t weightedDelta(uint32_t from, uint32_t to) const {
        int64_t d = 0;
        const int T = m_s.held;
        forEachMet(from, [&](int r) {
            if (m_count[r] == 1 && std::popcount(m_draws[r] & to) < T) d += m_weight[r];
        });
        forEachMet(to, [&](int r) {
            if (m_count[r] == 0) d -= m_weight[r];
        });
        return d;
    }
    void weighUnmet() {
        for (int i = 0; i < m_unmetSize; ++i)
            ++m_weight[m_unmet[i]];
    }
    void resetWeights() { std::fill(m_weight.begin(), m_weight.end(), 1); }
    // Draws met by t alone.
    int alone(uint32_t t) const {
        int a = 0;
        forEachMet(t, [&](int r) { a += m_count[r] == 1; });
        return a;
    }

    uint32_t full() const { return m_s.v == 32 ? ~0u : (uint32_t(1) << m_s.v) - 1; }
    int unmet() const { return m_unmetSize; }
    uint32_t unmetDraw(size_t i) const { return m_draws[m_unmet[i]]; }
    const WheelShape& shape() const { return m_s; }
    void reset() {
        std::fill(m_count.begin(), m_count.end(), 0);
        m_unmetSize = int(m_count.size());
        for (int i = 0; i < m_unmetSize; ++i) {
            m_unmet[i] = i;
            m_unmetAt[i] = i;
        }
    }

  private:
    void dropUnmet(int r) {
        const int at = m_unmetAt[r];
        const int last = m_unmet[--m_unmetSize];
        m_unmet[at] = last;
        m_unmetAt[last] = at;
    }
    void addUnmet(int r) {
        m_unmet[m_unmetSize] = r;
        m_unmetAt[r] = m_unmetSize++;
    }

    WheelShape m_s;
    int32_t m_binom[WheelMaxNumbers + 1][WheelMaxPicks + 1];
    std::vector<uint32_t> m_draws;
    std::vector<int32_t> m_count;
    std::vector<int64_t> m_weight;
    std::vector<int32_t> m_unmet;
    std::vector<int32_t> m_unmetAt;
    int m_unmetSize = 0;
};

// A random ticket of k positions that holds at least T of the draw d.
uint32_t randomTicketMeeting(const WheelShape& s, uint32_t d, std::mt19937_64& rng) {
    int in[WheelMaxNumbers];
    int out[WheelMaxNumbers];
    const int nIn = positions(d, in);
    const int nOut = positions(((uint32_t(1) << s.v) - 1) & ~d, out);
    const int lo = std::max(s.held, s.k - nOut);
    const int hi = std::min(s.k, nIn);
    const int i = lo + int(rng() % uint64_t(hi - lo + 1));
    std::shuffle(in, in + nIn, rng);
    std::shuffle(out, out + nOut, rng);
    uint32_t t = 0;
    for (int j = 0; j < i; ++j)
        t |= uint32_t(1) << in[j];
    for (int j = 0; j < s.k - i; ++j)
        t |= uint32_t(1) << out[j];
    return t;
}

// Returns no tickets when cancelled before the wheel is complete.
std::vector<uint32_t> greedy(Coverage& cov, std::mt19937_64& rng, const std::atomic<bool>* cancel = nullptr) {
    const WheelShape& s = cov.shape();
    std::vector<uint32_t> tickets;
    int in[WheelMaxNumbers];
    int out[WheelMaxNumbers];
    constexpr int64_t sampleLimit = 600;
    while (cov.unmet() > 0) {
        // A pick of a wide wheel takes milliseconds: look at the flag before each.
        if (cancel && cancel->load(std::memory_order_relaxed)) return {};
        const uint32_t d = cov.unmetDraw(size_t(rng() % uint64_t(cov.unmet())));
        int64_t total = 0;
        const int nIn = positions(d, in);
        const int nOut = positions(cov.full() & ~d, out);
        for (int i = s.held; i <= std::min(s.k, nIn); ++i)
            total += Binomial(nIn, i) * Binomial(nOut, s.k - i);
        uint32_t best = 0;
        int bestGain = -1;
        int ties = 0;
        auto consider = [&](uint32_t t) {
            const int g = cov.gain(t);
            if (g > bestGain) {
                bestGain = g;
                best = t;
                ties = 1;
            } else if (g == bestGain && rng() % uint64_t(++ties) == 0) {
                best = t;
            }
        };
        if (total <= sampleLimit) {
            for (int i = s.held; i <= std::min(s.k, nIn); ++i)
                forEachSubset(in, nIn, i, [&](uint32_t a) {
                    forEachSubset(out, nOut, s.k - i, [&](uint32_t b) { consider(a | b); });
                });
        } else {
            for (int j = 0; j < sampleLimit; ++j)
                consider(randomTicketMeeting(s, d, rng));
        }
        cov.add(best);
        tickets.push_back(best);
    }
    // A ticket whose draws are all met by others is not needed.
    for (size_t i = tickets.size(); i-- > 0;) {
        if (cov.alone(tickets[i]) == 0) {
            cov.remove(tickets[i]);
            tickets.erase(tickets.begin() + i);
        }
    }
    return tickets;
}

bool valid(const WheelShape& s) {
    return s.v >= 1 && s.v <= WheelMaxNumbers && s.k >= 1 && s.k <= s.v && s.drawn >= 1 && s.drawn <= s.v &&
           s.drawn <= WheelMaxPicks && s.held >= 1 && s.held <= s.drawn && s.held <= s.k;
}

} // namespace

std::vector<WheelMask> GreedyWheel(const WheelShape& shape, uint64_t seed) {
    if (!valid(shape)) return {};
    Coverage cov(shape);
    std::mt19937_64 rng(seed);
    return greedy(cov, rng);
}

int64_t WheelStallSteps(const WheelShape& s) {
    return 20'000 + 20 * (valid(s) ? Binomial(s.v, s.drawn) : 0);
}

int64_t WheelLowerBound(const WheelShape& s) {
    if (!valid(s)) return 0;
    if (const std::optional<int64_t> bound = SchoenheimBound(s.v, s.k, s.drawn, s.held)) return *bound;
    int64_t most = 0; // draws one ticket meets: i of its numbers, the rest outside it
    for (int i = s.held; i <= std::min(s.k, s.drawn); ++i)
        most += Binomial(s.k, i) * Binomial(s.v - s.k, s.drawn - i);
    const int64_t draws = Binomial(s.v, s.drawn);
    return most > 0 ? (draws + most - 1) / most : 0;
}

std::vector<WheelMask> SearchWheel(const WheelShape& shape, const WheelSearchOptions& options,
                                   const std::vector<WheelMask>& start, WheelSearchReport* report) {
    WheelSearchReport ended;
    if (report) *report = ended;
    if (!valid(shape)) return {};
    const Clock::time_point deadline = Clock::now() + options.timeLimit;
    std::mt19937_64 rng(options.seed);
    Coverage cov(shape);
    std::vector<uint32_t> tickets;
    if (!start.empty()) {
        for (uint32_t t : start)
            cov.add(t);
        if (cov.unmet() == 0) tickets = start;
        cov.reset();
    }
    if (tickets.empty()) {
        tickets = greedy(cov, rng, options.cancel);
        if (tickets.empty()) {
            ended.end = WheelSearchEnd::Cancelled;
            if (report) *report = ended;
            return {};
        }
    } else {
        for (uint32_t t : tickets)
            cov.add(t);
    }
    std::vector<uint32_t> best = tickets;
    if (options.progress) options.progress(int(best.size()));
    // True, with the reason kept, once the flag or the clock ends the search.
    auto interrupted = [&] {
        if (options.cancel && options.cancel->load(std::memory_order_relaxed))
            ended.end = WheelSearchEnd::Cancelled;
        else if (Clock::now() >= deadline)
            ended.end = WheelSearchEnd::TimeUp;
        else
            return false;
        return true;
    };
    auto stalled = [&] {
        return options.stallSteps > 0 && ended.steps - ended.lastGainStep >= options.stallSteps;
    };
    while (tickets.size() > 1 && (options.target == 0 || int(best.size()) > options.target)) {
        if (interrupted()) break;
        // Drop the ticket that meets the fewest draws alone and search the unmet draws away.
        size_t drop = 0;
        int fewest = INT32_MAX;
        for (size_t i = 0; i < tickets.size(); ++i) {
            const int a = cov.alone(tickets[i]);
            if (a < fewest) {
                fewest = a;
                drop = i;
            }
        }
        cov.remove(tickets[drop]);
        tickets.erase(tickets.begin() + drop);
        int64_t iterations = 0;
        std::vector<int> candidates;
        candidates.reserve(tickets.size());
        std::vector<uint32_t> previous(tickets.size(), 0);
        cov.resetWeights();
        // Weighted local search: every step makes the best weighted swap that brings one of the
        // closest tickets to a random unmet draw; draws that stay unmet weigh more each step, which
        // moves the search out of local minima. The undo of a ticket's last swap has to wait.
        while (cov.unmet() > 0) {
            if (stalled()) {
                ended.end = WheelSearchEnd::Stalled;
                break;
            }
            if ((iterations++ & 63) == 0 && interrupted()) break;
            ++ended.steps;
            const uint32_t d = cov.unmetDraw(size_t(rng() % uint64_t(cov.unmet())));
            int most = -1;
            candidates.clear();
            for (size_t i = 0; i < tickets.size(); ++i) {
                const int h = std::popcount(tickets[i] & d);
                if (h > most) {
                    most = h;
                    candidates.clear();
                }
                if (h == most) candidates.push_back(int(i));
            }
            int bestTicket = -1;
            uint32_t bestTo = 0;
            int64_t bestDelta = INT64_MAX;
            int ties = 0;
            for (int j : candidates) {
                const uint32_t from = tickets[j];
                int out[WheelMaxNumbers];
                int missing[WheelMaxNumbers];
                const int nOut = positions(from & ~d, out);
                const int nMissing = positions(d & ~from, missing);
                for (int a = 0; a < nOut; ++a)
                    for (int b = 0; b < nMissing; ++b) {
                        const uint32_t to = (from & ~(uint32_t(1) << out[a])) | (uint32_t(1) << missing[b]);
                        if (to == previous[j]) continue;
                        const int64_t delta = cov.weightedDelta(from, to);
                        if (delta < bestDelta) {
                            bestDelta = delta;
                            bestTicket = j;
                            bestTo = to;
                            ties = 1;
                        } else if (delta == bestDelta && rng() % uint64_t(++ties) == 0) {
                            bestTicket = j;
                            bestTo = to;
                        }
                    }
            }
            if (bestTicket >= 0) {
                previous[bestTicket] = tickets[bestTicket];
                cov.remove(tickets[bestTicket]);
                cov.add(bestTo);
                tickets[bestTicket] = bestTo;
            }
            cov.weighUnmet();
        }
        if (cov.unmet() > 0) break;
        best = tickets;
        ended.lastGainStep = ended.steps;
        ended.end = WheelSearchEnd::Target;
        if (options.progress) options.progress(int(best.size()));
    }
    if (report) *report = ended;
    return best;
}
