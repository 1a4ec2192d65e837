#include <QDir>
#include <QFile>
#include <QTest>

// The help that F1 opens (readme.txt beside the program, as the build lays it out) describes the
// program as it is.
class TestHelpFile : public QObject {
    Q_OBJECT
    QString help;

  private slots:
    void initTestCase() {
        QFile f(QDir(QStringLiteral(KELVORA_BIN_DIR)).filePath(QStringLiteral("readme.txt")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        help = QString::fromUtf8(f.readAll());
    }

    // Every tool of the window is described under the name its button or menu item shows.
    void namesEveryTool_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"结果兑奖", "中奖查询", "历史验证", "历史回测", "容错", "保存条件", "载入条件", "撤销清除",
              "保存图片", "复制图片", "打印图表", "添加开奖", "导入数据", "设置"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void namesEveryTool() {
        QFETCH(QString, name);
        QVERIFY2(help.contains(name), qPrintable(name));
    }

    // Unsaved draws are asked about on leaving, and 17 counts as small.
    void saysWhatTheProgramDoes() {
        QVERIFY(!help.contains(QStringLiteral("不会提示保存")));
        QVERIFY(help.contains(QStringLiteral("询问是否保存")));
        QVERIFY(help.contains(QStringLiteral("01～17 为小号")));
    }
};

QTEST_GUILESS_MAIN(TestHelpFile)
#include "tst_helpfile.moc"
