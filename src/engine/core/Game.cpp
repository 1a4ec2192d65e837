#include "engine/core/Game.h"

#include "engine/core/Binomial.h"

namespace {

constexpr uint64_t bits(std::initializer_list<int> numbers) {
    uint64_t m = 0;
    for (int n : numbers)
        m |= uint64_t(1) << n;
    return m;
}

constexpr uint64_t Primes = bits({1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31});

const Game Ssq{GameId::Ssq, "ssq", u"双色球", 33, 6, 16, 1, u"红球", u"蓝球", "ssq.dxt", "/gx.txt", 17, {11, 22, 33},
               Primes, 2, 0};
const Game Dlt{GameId::Dlt, "dlt", u"超级大乐透", 35, 5, 12, 2, u"前区", u"后区", "dlt.dxt", "/dlt.txt", 17, {12, 24, 35},
               Primes, 2, 1};

} // namespace

int Game::frontTickets() const {
    return int(Binomial(frontPool, frontPicks));
}

QString Game::zoneCaption(int zone) const {
    const int first = zone == 0 ? 1 : zoneEnd[zone - 1] + 1;
    return QStringLiteral("%1-%2").arg(first, 2, 10, QLatin1Char('0')).arg(zoneEnd[zone], 2, 10, QLatin1Char('0'));
}

QString Game::ratioLabel(int k) const {
    return QStringLiteral("%1:%2").arg(k).arg(frontPicks - k);
}

const Game& Game::ssq() {
    return Ssq;
}

const Game& Game::dlt() {
    return Dlt;
}

const Game* Game::find(QStringView key) {
    if (key == QLatin1String(Ssq.key)) return &Ssq;
    if (key == QLatin1String(Dlt.key)) return &Dlt;
    return nullptr;
}

QString UnknownGameText(const QString& key) {
    return QStringLiteral("未知的彩种'%1'：只能是 ssq（双色球）或 dlt（超级大乐透）").arg(key);
}
