#include "app/MainForm.h"
#include "app/ProgramIcon.h"
#include "engine/core/Game.h"
#include "ui/UserSettings.h"
#include "ui/forms/ProgramFont.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <unistd.h>

namespace {

// Qt's catalogue lacks the type names of the file dialog's list (its "Folder" column entry).
class FileTypeTranslator : public QTranslator {
  public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        static const QHash<QByteArray, QString> names{
            {"Folder", QStringLiteral("文件夹")},  {"File Folder", QStringLiteral("文件夹")},
            {"Drive", QStringLiteral("驱动器")},   {"Alias", QStringLiteral("快捷方式")},
            {"Shortcut", QStringLiteral("快捷方式")}, {"Unknown", QStringLiteral("未知")}};
        return names.value(QByteArray(sourceText));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

int main(int argc, char* argv[]) {
    // Chromium refuses to run its sandbox as root; the browser then needs it switched off.
    if (geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--no-sandbox"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationVersion(QStringLiteral(KELVORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvora"));
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setFont(ProgramFont());
    // Standard buttons and dialogs speak Chinese when Qt's own translations are installed; the
    // Chinese locale also names file types and formats sizes and dates in the file dialogs.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    QTranslator qtTranslator;
    const QString qtTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtTranslator.load(chinese, QStringLiteral("qt"), QStringLiteral("_"), qtTranslations) ||
        qtTranslator.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), qtTranslations))
        QApplication::installTranslator(&qtTranslator);
    FileTypeTranslator fileTypes;
    QApplication::installTranslator(&fileTypes);

    QCommandLineParser parser;
    const QCommandLineOption server(QStringLiteral("server"),
                                    QStringLiteral("The maker's web server (update file and web pages)."),
                                    QStringLiteral("URL"));
    parser.addOption(server);
    const QCommandLineOption data(
        QStringLiteral("data"),
        QStringLiteral("The history file (default: ssq.dxt or dlt.dxt beside the program, or "
                       "~/.local/share/Kelvora/ for an installed copy)."),
        QStringLiteral("FILE"));
    parser.addOption(data);
    const QCommandLineOption ledger(
        QStringLiteral("ledger"),
        QStringLiteral("The bet ledger (default: ledger.sqlite in the data folder)."),
        QStringLiteral("FILE"));
    parser.addOption(ledger);
    const QCommandLineOption game(
        QStringLiteral("game"),
        QStringLiteral(
            "The game to open: ssq (the two-colour ball) or dlt (the super lotto); default: the game "
            "shown last. --data then names that game's file, and the other game's file lies beside it."),
        QStringLiteral("GAME"));
    parser.addOption(game);
    parser.addHelpOption();
    parser.process(app);

    TMainOptions options;
    options.gameSetting = true;
    if (parser.isSet(server)) {
        options.server = QUrl::fromUserInput(parser.value(server));
        if (!options.server.isValid() || options.server.host().isEmpty()) {
            QTextStream(stderr) << "kelvora: --server needs a web address such as http://127.0.0.1:8080\n";
            return 2;
        }
    }
    if (parser.isSet(game)) {
        options.game = Game::find(parser.value(game));
        if (!options.game) {
            QTextStream(stderr) << "kelvora: " << UnknownGameText(parser.value(game)) << '\n';
            return 2;
        }
    }
    if (parser.isSet(data)) options.dataFile = parser.value(data);
    if (parser.isSet(ledger)) options.ledgerFile = parser.value(ledger);
    TMainForm form(options);
    if (RestoreWindowState(&form))
        form.show();
    else
        form.showMaximized();
    const int code = app.exec();
    SaveWindowState(&form);
    return code;
}
