#include "engine/core/Game.h"

#include "engine/core/Binomial.h"

#include <QStringList>

namespace {

constexpr uint64_t bits(std::initializer_list<int> numbers) {
    uint64_t m = 0;
    for (int n : numbers)
        m |= uint64_t(1) << n;
    return m;
}

constexpr uint64_t Primes = bits({1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31});

// The rules table: everything that differs between the games.
const Game Ssq{.id = GameId::Ssq,
               .kind = GameKind::Numbers,
               .key = "ssq",
               .name = u"双色球",
               .frontPool = 33,
               .frontPicks = 6,
               .backPool = 16,
               .backPicks = 1,
               .specialPicks = 0,
               .specialWord = nullptr,
               .frontWord = u"红球",
               .backWord = u"蓝球",
               .frontCountWord = u"红球",
               .backCountWord = u"蓝球",
               .frontShortWord = u"红号",
               .allFrontsWord = u"六个红球",
               .drawShapeWord = u"六个红球加一个蓝球",
               .exampleDraw = u"01 04 16 22 26 31+04",
               .ticketExamples = u"01 04 16 22 26 31+04\n01 02 03 04 05 06 07+08 09\n01 02#03 04 05 06 07 08+09",
               .zoneNote = u"1、3分区：11个号码为1个分区，共3个分区，6个奖号一般分布在2到3个分区中。\r\n"
                           u"2、11分区：3个号码为1个区，共11个区，6个奖号一般分布在4到6个区。",
               .dataFile = "ssq.dxt",
               .updateFile = "/gx.txt",
               .smallMax = 17,
               .zoneEnd = {11, 22, 33},
               .primeMask = Primes,
               .price = 2,
               .extraPrice = 0,
               .firstQueryIssue = 2005013,
               .namedTitles = false,
               .historyFileRequired = true,
               .jsonFronts = "reds",
               .jsonBacks = "blues",
               .jsonFrontHits = "redHits",
               .jsonBackHits = "blueHits",
               .jsonSpecial = nullptr,
               .jsonSpecialHit = nullptr,
               .singleListsTickets = true};
const Game Dlt{.id = GameId::Dlt,
               .kind = GameKind::Numbers,
               .key = "dlt",
               .name = u"超级大乐透",
               .frontPool = 35,
               .frontPicks = 5,
               .backPool = 12,
               .backPicks = 2,
               .specialPicks = 0,
               .specialWord = nullptr,
               .frontWord = u"前区",
               .backWord = u"后区",
               .frontCountWord = u"前区号码",
               .backCountWord = u"后区号码",
               .frontShortWord = u"前区",
               .allFrontsWord = u"5个前区",
               .drawShapeWord = u"5个前区加2个后区",
               .exampleDraw = u"03 10 17 24 31+04 09",
               .ticketExamples = u"03 11 19 27 35+04 09\n01 02 03 04 05 06+07 08 09\n01 02#03 04 05 06+07#08 09",
               .zoneNote = nullptr,
               .dataFile = "dlt.dxt",
               .updateFile = "/dlt.txt",
               .smallMax = 17,
               .zoneEnd = {12, 24, 35},
               .primeMask = Primes,
               .price = 2,
               .extraPrice = 1,
               .firstQueryIssue = 2007001,
               .namedTitles = true,
               .historyFileRequired = false,
               .jsonFronts = "fronts",
               .jsonBacks = "backs",
               .jsonFrontHits = "frontHits",
               .jsonBackHits = "backHits",
               .jsonSpecial = nullptr,
               .jsonSpecialHit = nullptr,
               .singleListsTickets = false};
// 七乐彩: seven of 01..30 and a special number drawn from the other 23; a ticket is numbers alone.
const Game Qlc{.id = GameId::Qlc,
               .kind = GameKind::Numbers,
               .key = "qlc",
               .name = u"七乐彩",
               .frontPool = 30,
               .frontPicks = 7,
               .backPool = 0,
               .backPicks = 0,
               .specialPicks = 1,
               .specialWord = u"特别号",
               .frontWord = u"基本号",
               .backWord = u"",
               .frontCountWord = u"基本号码",
               .backCountWord = u"",
               .frontShortWord = u"号码",
               .allFrontsWord = u"七个基本号",
               .drawShapeWord = u"七个基本号加一个特别号",
               .exampleDraw = u"02 05 11 16 20 25 29+08",
               .ticketExamples = u"02 05 11 16 20 25 29\n01 02 03 04 05 06 07 08\n01 02#03 04 05 06 07 08",
               .zoneNote = u"1、3分区：10个号码为1个分区，共3个分区，7个奖号一般分布在2到3个分区中。\r\n"
                           u"2、10分区：3个号码为1个区，共10个区，7个奖号一般分布在5到6个区。",
               .dataFile = "qlc.dxt",
               .updateFile = "/qlc.txt",
               .smallMax = 15,
               .zoneEnd = {10, 20, 30},
               .primeMask = Primes,
               .price = 2,
               .extraPrice = 0,
               .firstQueryIssue = 2007001,
               .namedTitles = true,
               .historyFileRequired = false,
               .jsonFronts = "reds",
               .jsonBacks = "blues",
               .jsonFrontHits = "redHits",
               .jsonBackHits = "blueHits",
               .jsonSpecial = "special",
               .jsonSpecialHit = "specialHit",
               .singleListsTickets = false};

const std::array<const Game*, kGameCount> Games{&Ssq, &Dlt, &Qlc};

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

const Game& Game::qlc() {
    return Qlc;
}

const Game* Game::find(QStringView key) {
    for (const Game* game : Games)
        if (key == QLatin1String(game->key)) return game;
    return nullptr;
}

const std::array<const Game*, kGameCount>& Game::all() {
    return Games;
}

QString UnknownGameText(const QString& key) {
    QStringList names;
    for (const Game* game : Games)
        names << QStringLiteral("%1（%2）").arg(game->keyText(), game->nameText());
    // "a、b 或 c".
    const QString last = names.takeLast();
    return QStringLiteral("未知的彩种'%1'：只能是 %2或 %3").arg(key, names.join(QStringLiteral("、")), last);
}
