// Searches small wheels for the stored table: wheel_search SECONDS v:k:P:T[:target] ...
// With WHEEL_START=FILE (a table) a cell starts from its wheel in FILE instead of a greedy one.
// Prints each wheel found in the table's text form on standard output, a line per cell on stderr.
#include "engine/wheel/StoredWheels.h"
#include "engine/wheel/WheelCheck.h"
#include "engine/wheel/WheelSearch.h"

#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SECONDS v:k:P:T[:target] ...\n", argv[0]);
        return 2;
    }
    const int seconds = std::atoi(argv[1]);
    std::vector<StoredWheel> starts;
    if (const char* start = std::getenv("WHEEL_START")) {
        QFile f(QString::fromLocal8Bit(start));
        if (f.open(QIODevice::ReadOnly)) starts = ReadWheelTable(QString::fromUtf8(f.readAll()));
    }
    for (int a = 2; a < argc; ++a) {
        WheelShape s;
        int target = 0;
        if (std::sscanf(argv[a], "%d:%d:%d:%d:%d", &s.v, &s.k, &s.drawn, &s.held, &target) < 4) return 2;
        WheelSearchOptions o;
        o.timeLimit = std::chrono::seconds(seconds);
        o.target = target;
        o.seed = uint64_t(a) * 7919u;
        const auto started = std::chrono::steady_clock::now();
        std::vector<WheelMask> greedy = GreedyWheel(s, o.seed);
        for (const StoredWheel& w : starts)
            if (w.shape == s && w.tickets.size() < greedy.size()) greedy = w.tickets;
        const std::vector<WheelMask> w = SearchWheel(s, o, greedy);
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const WheelCheckResult check = CheckWheel(s.v, s.drawn, s.held, w);
        std::fprintf(stderr, "%d:%d:%d:%d greedy %zu found %zu target %d uncovered %lld %.1fs\n", s.v, s.k,
                     s.drawn, s.held, greedy.size(), w.size(), target, (long long)check.uncovered, took);
        if (check.uncovered != 0) continue;
        std::printf("wheel %d %d %d %d\n", s.v, s.k, s.drawn, s.held);
        for (WheelMask t : w) {
            bool first = true;
            for (int i = 0; i < s.v; ++i)
                if (t >> i & 1u) {
                    std::printf(first ? "%02d" : " %02d", i + 1);
                    first = false;
                }
            std::printf("\n");
        }
        std::fflush(stdout);
    }
    return 0;
}
