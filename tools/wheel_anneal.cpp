// Simulated annealing for wheels (covering designs with a partial guarantee): b tickets of k numbers
// out of v such that every draw of P numbers meets some ticket in at least T. The cost is the number
// of draws no ticket meets; a move takes a random uncovered draw, a ticket that meets it in T-1
// numbers, and swaps one of the ticket's other numbers for one of the draw's, so that the ticket
// meets the draw. Moves are accepted by the Metropolis rule under a cooling temperature. On cost 0
// the wheel is written out and the ticket that alone meets the fewest draws is dropped.
//
//   wheel-anneal V K P T SECONDS [options] > cell.txt
//     --from FILE   start from the smallest wheel of this shape in FILE (the table's text form)
//     --tickets B   start from B random tickets instead (the default when --from is not given)
//     --seed S      random seed (default: from the clock)
//     --t0 X        starting temperature (default 1.0)
//     --cool C      cool by the factor C a round of moves, warming up again at t0/100; without it
//                   the temperature falls from t0 to t0/100 once over the whole run (slow cooling
//                   reaches smaller wheels; fast cooling freezes early)
//     --out FILE    also rewrite FILE with each smaller wheel found, so a stopped run keeps it
//
// Prints the smallest wheel found in the table's text form on standard output at the end, and each
// gain on standard error. Not part of the program: the program checks every stored wheel when it
// loads the table, so a wrong result here can never reach a player.
#include <algorithm>
#include <chrono>
#include <cctype>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#if defined(__BMI2__)
#include <immintrin.h>
#endif
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Mask = uint32_t;

int64_t binom[33][33];

void fillBinomials() {
    for (int n = 0; n <= 32; ++n) {
        binom[n][0] = 1;
        for (int r = 1; r <= n; ++r)
            binom[n][r] = binom[n - 1][r - 1] + (r <= n - 1 ? binom[n - 1][r] : 0);
    }
}

// Colex rank of a P-subset: draws index the coverage counts directly.
inline int colexRank(Mask m) {
    int r = 0, i = 1;
    while (m) {
        const int pos = __builtin_ctz(m);
        r += int(binom[pos][i++]);
        m &= m - 1;
    }
    return r;
}

// The ranks of all masks of v bits, looked up: the inner loops do little else.
std::vector<int> rankTable;

inline int rankOf(Mask m) {
    return rankTable[m];
}

void fillRanks(int v, int P) {
    rankTable.assign(size_t(1) << v, -1);
    for (Mask m = 0; m < (Mask(1) << v); ++m)
        if (__builtin_popcount(m) == P) rankTable[m] = colexRank(m);
}

// Spreads the low bits of index over the set bits of within.
inline Mask deposit(Mask index, Mask within) {
#if defined(__BMI2__)
    return _pdep_u32(index, within);
#endif
    Mask out = 0;
    for (Mask bit = 1; within; bit <<= 1) {
        const Mask low = within & (~within + 1);
        if (index & bit) out |= low;
        within ^= low;
    }
    return out;
}

std::vector<Mask> subsetsOfSize(int n, int r) {
    std::vector<Mask> all;
    for (Mask m = 0; m < (Mask(1) << n); ++m)
        if (__builtin_popcount(m) == r) all.push_back(m);
    return all;
}

volatile std::sig_atomic_t stopRequested = 0;

struct Annealer {
    int v, k, P, T;
    Mask full;
    std::vector<Mask> tickets;
    std::vector<uint16_t> cover; // tickets meeting each draw in T or more
    std::vector<int> uncovered;  // draws met by no ticket
    std::vector<int> where;      // a draw's place in uncovered, or -1
    std::vector<Mask> keepFromTicket, takeFromRest; // index subsets for one move's draws
    std::vector<std::pair<std::vector<Mask>, std::vector<Mask>>> metParts; // per j >= T
    std::mt19937_64 rng;

    Annealer(int v_, int k_, int P_, int T_, uint64_t seed) : v(v_), k(k_), P(P_), T(T_), rng(seed) {
        full = v == 32 ? ~Mask(0) : (Mask(1) << v) - 1;
        cover.assign(size_t(binom[v][P]), 0);
        where.assign(cover.size(), -1);
        keepFromTicket = subsetsOfSize(k - 1, T - 1);
        takeFromRest = subsetsOfSize(v - k - 1, P - T);
        for (int j = T; j <= std::min(k, P); ++j)
            metParts.push_back({subsetsOfSize(k, j), subsetsOfSize(v - k, P - j)});
    }

    void markUncovered(int d) {
        where[d] = int(uncovered.size());
        uncovered.push_back(d);
    }
    void markCovered(int d) {
        const int at = where[d];
        where[uncovered.back()] = at;
        uncovered[at] = uncovered.back();
        uncovered.pop_back();
        where[d] = -1;
    }

    // Every draw a ticket meets in T or more numbers.
    template <class F> void forEachMet(Mask t, F f) const {
        const Mask rest = full & ~t;
        for (const auto& [fromTicket, fromRest] : metParts)
            for (Mask a : fromTicket)
                for (Mask b : fromRest) f(deposit(a, t) | deposit(b, rest));
    }

    void start(std::vector<Mask> initial) {
        tickets = std::move(initial);
        std::fill(cover.begin(), cover.end(), 0);
        for (Mask t : tickets)
            forEachMet(t, [&](Mask d) { ++cover[rankOf(d)]; });
        uncovered.clear();
        std::fill(where.begin(), where.end(), -1);
        for (int d = 0; d < int(cover.size()); ++d)
            if (cover[d] == 0) markUncovered(d);
    }

    // With t' = t - x + y: the draws met by t and not by t' hold x, not y, and T-1 more of t; those
    // met by t' and not by t hold y, not x, and the same T-1. `add` is x for the first, y for the
    // second.
    template <class F> void forEachSwapped(Mask t, int x, int y, int add, F f) const {
        const Mask keep = t & ~(Mask(1) << x);
        const Mask rest = full & ~t & ~(Mask(1) << y);
        for (Mask a : keepFromTicket) {
            const Mask base = (Mask(1) << add) | deposit(a, keep);
            for (Mask b : takeFromRest) f(base | deposit(b, rest));
        }
    }

    int delta(Mask t, int x, int y) const {
        int d = 0;
        forEachSwapped(t, x, y, x, [&](Mask m) { d += cover[rankOf(m)] == 1; });
        forEachSwapped(t, x, y, y, [&](Mask m) { d -= cover[rankOf(m)] == 0; });
        return d;
    }

    void apply(size_t i, int x, int y) {
        const Mask t = tickets[i];
        forEachSwapped(t, x, y, x, [&](Mask m) {
            const int r = rankOf(m);
            if (--cover[r] == 0) markUncovered(r);
        });
        forEachSwapped(t, x, y, y, [&](Mask m) {
            const int r = rankOf(m);
            if (cover[r]++ == 0) markCovered(r);
        });
        tickets[i] = (t & ~(Mask(1) << x)) | (Mask(1) << y);
    }

    // One move around a random uncovered draw; false when no ticket is one number short of it.
    bool move(double temperature) {
        const Mask draw = [&] {
            int r = uncovered[rng() % uncovered.size()];
            // Unrank (colex).
            Mask m = 0;
            for (int i = P; i >= 1; --i) {
                int pos = i - 1;
                while (binom[pos + 1][i] <= r) ++pos;
                r -= int(binom[pos][i]);
                m |= Mask(1) << pos;
            }
            return m;
        }();
        size_t chosen = tickets.size();
        size_t seen = 0;
        for (size_t i = 0; i < tickets.size(); ++i)
            if (__builtin_popcount(tickets[i] & draw) == T - 1 && rng() % ++seen == 0) chosen = i;
        if (chosen == tickets.size()) return false;
        const Mask t = tickets[chosen];
        const Mask outs = t & ~draw, ins = draw & ~t;
        const int x = __builtin_ctz(deposit(Mask(1) << (rng() % __builtin_popcount(outs)), outs));
        const int y = __builtin_ctz(deposit(Mask(1) << (rng() % __builtin_popcount(ins)), ins));
        const int d = delta(t, x, y);
        if (d <= 0 || std::uniform_real_distribution<double>(0, 1)(rng) < std::exp(-d / temperature))
            apply(chosen, x, y);
        return true;
    }

    // Drops the ticket whose loss uncovers the fewest draws.
    void dropWeakest() {
        size_t weakest = 0;
        int fewest = 1 << 30;
        for (size_t i = 0; i < tickets.size(); ++i) {
            int alone = 0;
            forEachMet(tickets[i], [&](Mask d) { alone += cover[rankOf(d)] == 1; });
            if (alone < fewest) fewest = alone, weakest = i;
        }
        forEachMet(tickets[weakest], [&](Mask d) {
            const int r = rankOf(d);
            if (--cover[r] == 0) markUncovered(r);
        });
        tickets.erase(tickets.begin() + long(weakest));
    }
};

std::string tableText(int v, int k, int P, int T, const std::vector<Mask>& tickets) {
    std::vector<Mask> sorted = tickets;
    // Lexicographic by numbers: the lowest position is the most significant.
    auto key = [v](Mask m) {
        Mask r = 0;
        for (int i = 0; i < v; ++i)
            if (m >> i & 1u) r |= Mask(1) << (v - 1 - i);
        return r;
    };
    std::sort(sorted.begin(), sorted.end(), [&](Mask a, Mask b) { return key(a) > key(b); });
    std::ostringstream out;
    out << "wheel " << v << ' ' << k << ' ' << P << ' ' << T << '\n';
    for (Mask t : sorted) {
        bool first = true;
        for (int i = 0; i < v; ++i)
            if (t >> i & 1u) {
                char buf[12];
                std::snprintf(buf, sizeof buf, "%02d", i + 1);
                out << (first ? "" : " ") << buf;
                first = false;
            }
        out << '\n';
    }
    return out.str();
}

std::vector<Mask> readCell(const std::string& path, int v, int k, int P, int T) {
    std::ifstream in(path);
    std::vector<Mask> best, current;
    bool inside = false;
    auto close = [&] {
        if (inside && !current.empty() && (best.empty() || current.size() < best.size())) best = current;
        current.clear();
    };
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream parts(line);
        std::string first;
        if (!(parts >> first)) continue;
        if (first == "wheel") {
            close();
            int s[4] = {};
            parts >> s[0] >> s[1] >> s[2] >> s[3];
            inside = s[0] == v && s[1] == k && s[2] == P && s[3] == T;
            continue;
        }
        if (!inside || !std::isdigit(static_cast<unsigned char>(first[0]))) continue;
        Mask t = Mask(1) << (std::stoi(first) - 1);
        int n;
        while (parts >> n) t |= Mask(1) << (n - 1);
        if (__builtin_popcount(t) != k) {
            std::cerr << "bad ticket in " << path << ": " << line << '\n';
            std::exit(2);
        }
        current.push_back(t);
    }
    close();
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::cerr << "usage: wheel-anneal V K P T SECONDS [--from FILE] [--tickets B] [--seed S] "
                     "[--t0 X] [--cool C] [--out FILE]\n";
        return 2;
    }
    const int v = std::atoi(argv[1]), k = std::atoi(argv[2]), P = std::atoi(argv[3]),
              T = std::atoi(argv[4]);
    const double seconds = std::atof(argv[5]);
    if (v < 2 || v > 26 || k < 1 || k >= v || P < 1 || P > v || T < 1 || T > std::min(k, P)) {
        std::cerr << "bad shape\n";
        return 2;
    }
    std::string from, out;
    int startTickets = 0;
    uint64_t seed = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    double t0 = 1.0, cool = 0; // 0: over the run
    for (int i = 6; i + 1 < argc; i += 2) {
        const std::string opt = argv[i], val = argv[i + 1];
        if (opt == "--from") from = val;
        else if (opt == "--tickets") startTickets = std::atoi(val.c_str());
        else if (opt == "--seed") seed = std::strtoull(val.c_str(), nullptr, 10);
        else if (opt == "--t0") t0 = std::atof(val.c_str());
        else if (opt == "--cool") cool = std::atof(val.c_str());
        else if (opt == "--out") out = val;
        else {
            std::cerr << "unknown option " << opt << '\n';
            return 2;
        }
    }
    fillBinomials();
    fillRanks(v, P);
    std::signal(SIGINT, [](int) { stopRequested = 1; });
    std::signal(SIGTERM, [](int) { stopRequested = 1; });

    Annealer a(v, k, P, T, seed);
    std::vector<Mask> initial;
    if (!from.empty()) {
        initial = readCell(from, v, k, P, T);
        if (initial.empty()) {
            std::cerr << "no wheel " << v << ' ' << k << ' ' << P << ' ' << T << " in " << from << '\n';
            return 2;
        }
    } else {
        if (startTickets < 1) {
            std::cerr << "give --from FILE or --tickets B\n";
            return 2;
        }
        for (int i = 0; i < startTickets; ++i) {
            Mask t = 0;
            while (__builtin_popcount(t) < k) t |= Mask(1) << (a.rng() % v);
            initial.push_back(t);
        }
    }
    a.start(initial);
    std::vector<Mask> best;
    if (a.uncovered.empty()) best = a.tickets;
    std::cerr << "start: " << a.tickets.size() << " tickets, " << a.uncovered.size() << " uncovered\n";

    const auto begin = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    };
    // A round is as many moves as there are (ticket, swap) neighbours of one draw, roughly.
    const long roundMoves = std::max<long>(1000, long(a.tickets.size()) * k * (v - k) / 4);
    double temperature = t0;
    long rounds = 0;
    while (!stopRequested && elapsed() < seconds) {
        if (a.uncovered.empty()) {
            if (best.empty() || a.tickets.size() < best.size()) {
                best = a.tickets;
                std::cerr << elapsed() << " s: " << best.size() << " tickets\n";
                if (!out.empty()) {
                    std::ofstream f(out + ".tmp");
                    f << tableText(v, k, P, T, best);
                    f.close();
                    std::rename((out + ".tmp").c_str(), out.c_str());
                }
            }
            // One ticket is as small as a wheel gets.
            if (a.tickets.size() <= 1) break;
            a.dropWeakest();
            continue;
        }
        for (long m = 0; m < roundMoves && !a.uncovered.empty(); ++m)
            if (!a.move(temperature)) break;
        ++rounds;
        if (cool > 0) {
            // Cooled down to a hundredth without reaching cost 0: warm up again from where it stands.
            temperature *= cool;
            if (temperature < t0 / 100) temperature = t0;
        } else {
            temperature = t0 * std::pow(0.01, elapsed() / seconds);
        }
        if (rounds % 200 == 0)
            std::cerr << elapsed() << " s: b=" << a.tickets.size() << " cost=" << a.uncovered.size()
                      << " temp=" << temperature << '\n';
    }
    if (best.empty()) {
        std::cerr << "no complete wheel found\n";
        return 1;
    }
    std::cout << tableText(v, k, P, T, best);
    return 0;
}
