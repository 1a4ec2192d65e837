#include "cli/Cli.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/history/DataLocation.h"
#include "engine/history/HistoryLoader.h"
#include "engine/prize/TicketReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<CliCommand>& commands() {
    static std::vector<CliCommand> list;
    return list;
}

QString toolUsage() {
    QStringList keys, games;
    for (const Game* game : Game::all()) {
        keys << game->keyText();
        games << QStringLiteral("%1 %2").arg(game->keyText(), game->nameText());
    }
    QString s = QStringLiteral("Usage: kelvora-cli [--game %1] [--data FILE] SUBCOMMAND [options]\n\n"
                               "The analysis engine of Kelvora for scripts. Output is UTF-8.\n\n"
                               "Options:\n"
                               "  --game GAME   %2 (default: the first)\n"
                               "  --data FILE   the history file (default: the game's own, such as ssq.dxt, beside\n"
                               "                the program, or in ~/.local/share/Kelvora for an installed copy)\n"
                               "  --figures FILE the draw figures (sales, pool, winners and amounts; default: the\n"
                               "                game's own, such as ssq-figures.txt, beside the history)\n"
                               "  --help        this text; SUBCOMMAND --help describes one subcommand\n\n"
                               "Subcommands:\n")
                    .arg(keys.join(QLatin1Char('|')), games.join(QStringLiteral(", ")));
    for (const CliCommand& c : commands())
        s += QStringLiteral("  %1%2\n")
                 .arg(QString::fromLatin1(c.name).leftJustified(10), QString::fromUtf8(c.summary));
    return s;
}

} // namespace

CliRegistrar::CliRegistrar(const CliCommand& command) {
    commands().push_back(command);
}

QString ReadTicketInput(const QString& name) {
    const bool standardInput = name.isEmpty() || name == QLatin1String("-");
    QFile file;
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened) throw KelvoraError(QStringLiteral("无法打开文件 %1").arg(QDir::toNativeSeparators(name)));
    return DecodeTicketFile(ReadDeviceBytes(file, standardInput ? QStringLiteral("-") : name));
}

std::optional<TCodeArr> CliContext::loadHistory(QStringList* warnings) {
    HistoryLoad load = LoadHistory(dataPath, *game);
    if (load.status != HistoryLoad::Ok) {
        err << load.message << '\n';
        return std::nullopt;
    }
    if (warnings) *warnings = load.warnings;
    return std::move(load.history);
}

TCodeArr CliContext::history(QStringList* warnings) {
    std::optional<TCodeArr> h = loadHistory(warnings);
    if (!h) throw CliRefusal{};
    return std::move(*h);
}

FiguresTable CliContext::figures(const TCodeArr& history) {
    const FiguresLoad load = LoadFigures(figuresPath, *game, &history);
    if (load.status == FiguresLoad::Refused) {
        err << load.message << '\n';
        throw CliRefusal{};
    }
    return load.table;
}

int CliContext::usageError(const QString& message, const QString& text) {
    if (!message.isEmpty()) err << "kelvora-cli: " << message << "\n\n";
    err << text;
    return CliUsage;
}

bool CliContext::parse(QCommandLineParser& parser, const QString& text, bool positional) {
    usage = text;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOption(help);
    if (!parser.parse(args)) throw CliUsageError{parser.errorText()};
    if (parser.isSet(help)) {
        out << usage;
        helped = true;
        return false;
    }
    if (!positional && !parser.positionalArguments().isEmpty())
        throw CliUsageError{
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first())};
    return true;
}

int CliContext::intValue(const QCommandLineParser& parser, const QCommandLineOption& option, int fallback,
                         const QString& message, int low, int high) const {
    if (!parser.isSet(option)) return fallback;
    bool ok = false;
    const int value = parser.value(option).trimmed().toInt(&ok);
    if (!ok || value < low || value > high) throw CliUsageError{message};
    return value;
}

namespace {

// The one place where a subcommand's failures become messages and exit statuses.
int runCommand(const CliCommand& command, CliContext& ctx) {
    try {
        return command.run(ctx);
    } catch (const CliUsageError& e) {
        return ctx.usageError(e.message, ctx.usage);
    } catch (const CliRefusal&) {
        return CliRefused;
    } catch (const KelvoraError& e) {
        ctx.err << e.message() << '\n';
        return CliRefused;
    } catch (const std::bad_alloc&) {
        ctx.err << QStringLiteral("内存不足，无法完成该命令") << '\n';
        return CliRefused;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // Drawing a chart needs fonts, so a picture request gets a GUI application without a display.
    const bool drawing = std::any_of(argv + 1, argv + argc, [](const char* a) {
        return qstrcmp(a, "--png") == 0 || qstrncmp(a, "--png=", 6) == 0;
    });
    if (drawing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Without a desktop session Qt warns on standard error that it has no runtime folder; a
        // private one keeps a script's error output for our own messages.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QByteArray dir =
                QDir::tempPath().toLocal8Bit() + "/kelvora-runtime-" + QByteArray::number(geteuid());
            struct stat st {};
            const bool made = ::mkdir(dir.constData(), 0700) == 0 || errno == EEXIST;
            // Only a folder of our own that nobody else can enter (another user may have made one).
            if (made && ::lstat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
                (st.st_mode & 0077) == 0)
                qputenv("XDG_RUNTIME_DIR", dir);
        }
    }
    const std::unique_ptr<QCoreApplication> application =
        drawing ? std::make_unique<QGuiApplication>(argc, argv)
                : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments();
    CliContext ctx(out, err);

    // --game may also follow the subcommand: every subcommand takes it.
    QString gameKey;
    for (int k = 1; k < args.size(); ++k) {
        if (args[k] == QLatin1String("--game") && k + 1 < args.size()) {
            gameKey = args[k + 1];
            args.remove(k, 2);
            --k;
        } else if (args[k].startsWith(QLatin1String("--game="))) {
            gameKey = args[k].mid(7);
            args.remove(k);
            --k;
        } else if (args[k] == QLatin1String("--game")) {
            return ctx.usageError(QStringLiteral("missing value after --game"), toolUsage());
        }
    }
    if (!gameKey.isNull()) {
        ctx.game = Game::find(gameKey);
        if (!ctx.game) {
            err << UnknownGameText(gameKey) << '\n';
            return CliRefused;
        }
    }

    int i = 1;
    QStringList forwarded;
    while (i < args.size() && args[i].startsWith(QLatin1Char('-'))) {
        const QString a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out << toolUsage();
            return CliOk;
        }
        if (a == QLatin1String("--data")) {
            if (i + 1 >= args.size())
                return ctx.usageError(QStringLiteral("missing value after --data"), toolUsage());
            ctx.dataPath = args[i + 1];
            i += 2;
        } else if (a.startsWith(QLatin1String("--data="))) {
            ctx.dataPath = a.mid(7);
            ++i;
        } else if (a == QLatin1String("--figures")) {
            if (i + 1 >= args.size())
                return ctx.usageError(QStringLiteral("missing value after --figures"), toolUsage());
            ctx.figuresPath = args[i + 1];
            i += 2;
        } else if (a.startsWith(QLatin1String("--figures="))) {
            ctx.figuresPath = a.mid(10);
            ++i;
        } else if (a == QLatin1String("--ledger") || a.startsWith(QLatin1String("--ledger="))) {
            // The ledger subcommand reads it among its own options.
            const int n = a.contains(QLatin1Char('=')) ? 1 : 2;
            forwarded += args.mid(i, n);
            i += n;
        } else {
            return ctx.usageError(QStringLiteral("unknown option '%1'").arg(a), toolUsage());
        }
    }
    if (i >= args.size()) return ctx.usageError(QStringLiteral("missing subcommand"), toolUsage());
    {
        const DataLocation loc =
            LocateData({QCoreApplication::applicationDirPath(), ctx.dataPath, UserDataDir(), ctx.game});
        if (ctx.dataPath.isEmpty()) {
            for (const QString& problem : loc.problems)
                err << problem << '\n';
            ctx.dataPath = loc.loadFile.isEmpty() ? loc.dataFile : loc.loadFile;
        }
        // Without --figures: the figures beside the history, when there are any.
        if (ctx.figuresPath.isEmpty())
            ctx.figuresPath = loc.figuresLoadFile.isEmpty() ? loc.figuresFile : loc.figuresLoadFile;
    }

    const QString name = args[i];
    for (const CliCommand& c : commands()) {
        if (name == QLatin1String(c.name)) {
            ctx.args = QStringList{QStringLiteral("kelvora-cli ") + name} + forwarded + args.mid(i + 1);
            const int rc = runCommand(c, ctx);
            out.flush();
            err.flush();
            return rc;
        }
    }
    return ctx.usageError(QStringLiteral("unknown subcommand '%1'").arg(name), toolUsage());
}
