// One keystroke in the data editor holding the sample history: the panel compares the text with the
// file's after every change (for the unsaved-edits mark); baseline: a bare editor with the same text.
#include "ui/history/DataPanel.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>
#include <benchmark/benchmark.h>

namespace {

QString sampleText() {
    QFile f(QStringLiteral(KELVORA_SAMPLE));
    f.open(QIODevice::ReadOnly);
    return QString::fromLatin1(f.readAll()).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

void typeAndErase(QPlainTextEdit* edit) {
    QTextCursor c(edit->document());
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("1"));
    c.deletePreviousChar();
}

void BM_KeystrokeDataPanel(benchmark::State& state) {
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(KELVORA_SAMPLE), dir.filePath(QStringLiteral("ssq.dxt")));
    TCodeArr history;
    TDataPanel panel(history);
    panel.setProgramDir(dir.path());
    panel.LoadDataFile(panel.DataFileName);
    for (auto _ : state)
        typeAndErase(panel.DataMemo);
}
BENCHMARK(BM_KeystrokeDataPanel)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeBareEditor(benchmark::State& state) {
    QPlainTextEdit edit;
    edit.setPlainText(sampleText());
    for (auto _ : state)
        typeAndErase(&edit);
}
BENCHMARK(BM_KeystrokeBareEditor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
