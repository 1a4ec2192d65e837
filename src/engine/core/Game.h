#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstddef>
#include <cstdint>

// The largest pools and pick counts of any game: what a ticket record has room for.
namespace GameLimits {
inline constexpr int kMaxFrontPool = 35;
inline constexpr int kMaxFrontPicks = 7;
inline constexpr int kMaxBackPool = 16;
inline constexpr int kMaxBackPicks = 2;
} // namespace GameLimits

enum class GameId : uint8_t { Ssq, Dlt, Qlc };
// How many games the table holds: arrays keyed by GameId have this size.
inline constexpr int kGameCount = 3;

// What a draw is made of: numbers drawn from pools; the digit games, drawn by position, are the next
// kind.
enum class GameKind : uint8_t { Numbers };

// One lottery: its pools, its words and files, and the constants of the measures over its front
// pool. The engine is given a Game; nothing below the window assumes one. The two games are the
// values Game::ssq() (the two-colour ball), Game::dlt() (the super lotto) and Game::qlc() (七乐彩).
struct Game {
    GameId id;
    GameKind kind;
    const char* key;            // "ssq" / "dlt": --game, the JSON "game", settings
    const char16_t* name;       // "双色球" / "超级大乐透"
    int frontPool;              // fronts (reds) are 1..frontPool
    int frontPicks;             // fronts in a draw or a single ticket
    int backPool;               // backs (blues) are 1..backPool; 0 for a game of one pool
    int backPicks;              // backs in a draw or a single ticket
    // A special number drawn from the rest of the front pool after the picks (七乐彩); a ticket does
    // not name it: a bet hits it when it is among the bet's numbers. 0 or 1.
    int specialPicks;
    const char16_t* specialWord; // "特别号"; null without one
    const char16_t* frontWord;  // "红球" / "前区"
    const char16_t* backWord;   // "蓝球" / "后区"
    // After a count: "6个红球", "5个前区号码"; "1个蓝球", "2个后区号码".
    const char16_t* frontCountWord;
    const char16_t* backCountWord;
    const char16_t* frontShortWord; // "红号" / "前区": the shrink sheet's captions
    const char16_t* allFrontsWord;  // "六个红球" / "5个前区": every front of a draw
    const char16_t* drawShapeWord;  // "六个红球加一个蓝球": what a draw is made of
    const char16_t* exampleDraw;    // a draw as typed: "01 04 16 22 26 31+04"
    const char16_t* ticketExamples; // a single, a compound and a 胆拖 ticket, one a line
    const char16_t* zoneNote;       // the zone chart's note; null: said from the zones
    const char* dataFile;       // "ssq.dxt" / "dlt.dxt"
    const char* updateFile;     // the file on the update server: "/gx.txt" / "/dlt.txt"
    int smallMax;               // fronts up to this are small, the rest big
    int zoneEnd[3];             // the last number of each of the three zones
    uint64_t primeMask;         // bit n set for the fronts that count as prime (1 counts)
    int price;                  // yuan a bet
    int extraPrice;             // yuan the additional bet (追加) adds; 0 where there is none
    int firstQueryIssue;        // where 查询统计 starts when nothing was typed
    // Printouts and chart titles name the game; the first game's keep the plain headers they always had.
    bool namedTitles;
    // At start a missing history file is an error (the first game always said so); another game's
    // file may not exist yet, which is no draws.
    bool historyFileRequired;
    // JSON keys of the fronts, the backs and their hit counts ("reds", "blues", "redHits", "blueHits").
    const char* jsonFronts;
    const char* jsonBacks;
    const char* jsonFrontHits;
    const char* jsonBackHits;
    // Of the special number: the draw's and whether a ticket holds it ("special", "specialHit").
    const char* jsonSpecial;
    const char* jsonSpecialHit;
    // The single prediction lists the game's tickets, drawing each one's hidden back from the program's
    // one random sequence that later commands continue (the first game, as it always did); otherwise
    // its picks are counted without a list.
    bool singleListsTickets;

    size_t index() const { return size_t(id); } // 0 .. kGameCount - 1
    QString jsonKey(const char* key) const { return QString::fromLatin1(key); }
    QString nameText() const { return QString::fromUtf16(name); }
    QString front() const { return QString::fromUtf16(frontWord); }
    QString back() const { return QString::fromUtf16(backWord); }
    QString special() const { return specialWord ? QString::fromUtf16(specialWord) : QString(); }
    // What stands beside the fronts where a draw is shown: the backs, or the special number.
    int sidePool() const { return backPicks ? backPool : specialPicks ? frontPool : 0; }
    int sidePicks() const { return backPicks ? backPicks : specialPicks; }
    QString side() const { return backPicks ? back() : special(); }
    QString frontCount() const { return QString::fromUtf16(frontCountWord); }
    QString backCount() const { return QString::fromUtf16(backCountWord); }
    QString frontShort() const { return QString::fromUtf16(frontShortWord); }
    QString allFronts() const { return QString::fromUtf16(allFrontsWord); }
    QString drawShape() const { return QString::fromUtf16(drawShapeWord); }
    QString exampleDrawText() const { return QString::fromUtf16(exampleDraw); }
    QString ticketExampleLines() const { return QString::fromUtf16(ticketExamples); }
    QString keyText() const { return QString::fromLatin1(key); }
    QString dataFileName() const { return QString::fromLatin1(dataFile); }

    // C(frontPool, frontPicks): every front ticket of the game.
    int frontTickets() const;
    int sumMin() const { return frontPicks * (frontPicks + 1) / 2; }
    int sumMax() const { return frontPicks * (2 * frontPool - frontPicks + 1) / 2; }
    int spanMax() const { return frontPool - 1; }
    // The AC value counts distinct differences of the front pairs less picks - 1.
    int acMax() const { return frontPicks * (frontPicks - 1) / 2 - (frontPicks - 1); }
    // Zone of a front number, 0..2.
    int zoneOf(int n) const { return n <= zoneEnd[0] ? 0 : n <= zoneEnd[1] ? 1 : 2; }
    QString zoneCaption(int zone) const; // "01-11" .. for the two-colour ball
    // "k:picks-k", the caption of item k of a ratio matrix.
    QString ratioLabel(int k) const;

    static const Game& ssq();
    static const Game& dlt();
    static const Game& qlc();
    // The game named by key ("ssq", "dlt", "qlc" ...), or nullptr.
    static const Game* find(QStringView key);
    // Every game, in GameId order.
    static const std::array<const Game*, kGameCount>& all();
};

// The message for a --game value that names no game.
QString UnknownGameText(const QString& key);
