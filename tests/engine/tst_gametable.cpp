#include "engine/core/Game.h"
#include "engine/prize/PrizeTiers.h"
#include "engine/shrink/Combinations.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(const Game*)

// The rules table itself, one row a game: every game the table holds is complete and consistent, so
// a game added to it is checked by the rows it adds, not by a new test file.
class TestGameTable : public QObject {
    Q_OBJECT

  private slots:
    void everyGame_data() {
        QTest::addColumn<const Game*>("game");
        for (const Game* game : Game::all())
            QTest::newRow(game->key) << game;
    }

    void everyGame() {
        QFETCH(const Game*, game);
        QCOMPARE(Game::find(game->keyText()), game);
        QCOMPARE(Game::all()[game->index()], game);
        QVERIFY(UnknownGameText(QStringLiteral("x")).contains(game->keyText()));
        QVERIFY(game->frontPicks <= GameLimits::kMaxFrontPicks && game->frontPool <= GameLimits::kMaxFrontPool);
        QVERIFY(game->backPicks <= GameLimits::kMaxBackPicks && game->backPool <= GameLimits::kMaxBackPool);
        QVERIFY(game->zoneEnd[2] == game->frontPool && game->smallMax < game->frontPool);
        for (const char* key : {game->jsonFronts, game->jsonBacks, game->jsonFrontHits, game->jsonBackHits})
            QVERIFY(key && *key);

        // Prize versions run back to back from the first issue the game queries to today, and every
        // match of fronts and backs lands in a tier of its version or in none, each tier reached.
        const std::vector<PrizeRules>& versions = PrizeVersions(*game);
        QVERIFY(!versions.empty());
        QVERIFY(versions.front().firstIssue <= game->firstQueryIssue);
        QCOMPARE(versions.back().lastIssue, 0);
        for (size_t v = 0; v + 1 < versions.size(); ++v)
            QCOMPARE(versions[v].lastIssue + 1, versions[v + 1].firstIssue);
        for (const PrizeRules& rules : versions) {
            QCOMPARE(rules.game, game);
            QSet<int> reached;
            // The second figure counts backs, or the special number among a bet's own numbers.
            for (int f = 0; f <= game->frontPicks; ++f)
                for (int b = 0; b <= game->sidePicks(); ++b) {
                    const int tier = rules.tierOf[f][b];
                    QVERIFY(tier <= rules.tierCount);
                    if (tier) reached.insert(tier);
                }
            QCOMPARE(reached.size(), rules.tierCount);
            // The better match never pays a lower tier (a smaller number is a higher tier).
            for (int f = 1; f <= game->frontPicks; ++f)
                for (int b = 0; b <= game->sidePicks(); ++b)
                    if (rules.tierOf[f - 1][b] && (game->backPicks || f + b <= game->frontPicks)) QVERIFY(rules.tierOf[f][b] && rules.tierOf[f][b] <= rules.tierOf[f - 1][b]);
        }

        // The ticket generator of the game's shape gives every front ticket once, ascending.
        CandidateFlags all{};
        all.fill(1);
        TCodeList list;
        BuildCombinations(list, all, *game);
        QCOMPARE(int64_t(list.size()), int64_t(game->frontTickets()));
        QCOMPARE(KeptTicketCount(all, *game), int64_t(game->frontTickets()));
        const TCodeRec& last = list.back();
        for (int k = 0; k < game->frontPicks; ++k)
            QCOMPARE(int(last.Red[k]), game->frontPool - game->frontPicks + 1 + k);
    }
};

QTEST_APPLESS_MAIN(TestGameTable)
#include "tst_gametable.moc"
