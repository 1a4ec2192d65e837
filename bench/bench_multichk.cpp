// Cost of painting and clicking the candidate-number matrix (33 items, 11 columns), against the
// cost of merely filling its area, measured in the same run.
#include "ui/controls/MultiChk.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <benchmark/benchmark.h>

namespace {

TMultiChk* candidates() {
    static TMultiChk* chk = [] {
        auto* c = new TMultiChk;
        for (int i = 1; i <= 33; ++i)
            c->AddItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
        c->SetCapWidth(20);
        c->SetCols(11);
        for (int i = 0; i < 33; i += 3)
            c->SetChecked(i, true);
        return c;
    }();
    return chk;
}

void BM_FillBaseline(benchmark::State& state) {
    TMultiChk* chk = candidates();
    QImage image(chk->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), chk->palette().color(chk->backgroundRole()));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillBaseline);

void BM_RenderCandidates(benchmark::State& state) {
    TMultiChk* chk = candidates();
    QImage image(chk->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        chk->render(p);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderCandidates);

void BM_StyleGlyphsDirect(benchmark::State& state) {
    TMultiChk* chk = candidates();
    QImage image(chk->size(), QImage::Format_ARGB32_Premultiplied);
    QStyleOptionButton box;
    box.initFrom(chk);
    for (auto _ : state) {
        QPainter p(&image);
        for (int i = 0; i < 33; ++i) {
            box.rect = chk->RectOfChk(i);
            chk->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &p, chk);
        }
    }
}
BENCHMARK(BM_StyleGlyphsDirect);
void BM_CaptionsOnly(benchmark::State& state) {
    TMultiChk* chk = candidates();
    QImage image(chk->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        p.setFont(chk->font());
        for (int i = 0; i < 33; ++i)
            p.drawText(chk->RectOfCap(i).bottomLeft(), chk->Caption(i));
    }
}
BENCHMARK(BM_CaptionsOnly);

void BM_ClickItem(benchmark::State& state) {
    TMultiChk* chk = candidates();
    const QPointF at = chk->RectOfCap(16).center();
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, at, chk->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(chk, &press);
    }
    benchmark::DoNotOptimize(chk->CheckedCount());
}
BENCHMARK(BM_ClickItem);

void BM_HitTestAllPixels(benchmark::State& state) {
    const TMatrixLayout layout = candidates()->Layout();
    const QSize size = layout.size();
    for (auto _ : state) {
        int hits = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                hits += layout.hitTest(QPoint(x, y)) >= 0;
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * size.width() * size.height());
}
BENCHMARK(BM_HitTestAllPixels);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
