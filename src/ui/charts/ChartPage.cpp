#include "ui/charts/ChartPage.h"

#include "engine/charts/ChartSheets.h"
#include "engine/history/Convert.h"
#include "paint/ChartPaint.h"
#include "ui/CommandGuard.h"
#include "ui/PrintCommand.h"
#include "ui/history/PrintLines.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>
#include <functional>

namespace {

constexpr int TopPanelHeight = 33;

int goButtonLeft(int sheet) {
    if (sheet >= 1 && sheet <= 4) return 218;
    return sheet == 8 ? 330 : 226;
}

// The spin edit of the period count: no lower or upper limit (the fill routine refuses what the
// history cannot serve); a half-typed text goes back to the last value when the edit loses focus.
class TPeriodSpin : public QSpinBox {
  public:
    explicit TPeriodSpin(QWidget* parent) : QSpinBox(parent) {
        setRange(INT_MIN, INT_MAX);
        setSingleStep(1);
        setValue(30);
        setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    }

    // Enter in the edit does what "查询" does.
    std::function<void()> onEnter;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        QSpinBox::keyPressEvent(event);
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && onEnter) onEnter();
    }
};

// A label whose run of blanks holds another widget: the text after the blanks starts at gapEnd
// (label coordinates), however narrow the font's blanks are, so that the widget hides none of it.
class TGapLabel : public QLabel {
  public:
    TGapLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

    void setGapEnd(int x) {
        m_gapEnd = x;
        updateGeometry();
        adjustSize();
        update();
    }

    QSize sizeHint() const override {
        const auto [head, tail] = parts();
        const QFontMetrics fm(font());
        if (tail.isEmpty()) return QLabel::sizeHint();
        return {tailLeft(fm, head) + fm.horizontalAdvance(tail) + 1, fm.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override {
        const auto [head, tail] = parts();
        if (tail.isEmpty()) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter p(this);
        const QFontMetrics fm(font());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(0, fm.ascent(), head);
        p.drawText(tailLeft(fm, head), fm.ascent(), tail);
    }

  private:
    // The text before the run of blanks (blanks included) and after it.
    std::pair<QString, QString> parts() const {
        const QString t = text();
        const qsizetype gap = t.indexOf(QStringLiteral("  "));
        if (gap < 0) return {t, QString()};
        qsizetype end = gap;
        while (end < t.size() && t[end] == QLatin1Char(' '))
            ++end;
        return {t.left(end), t.mid(end)};
    }
    int tailLeft(const QFontMetrics& fm, const QString& head) const {
        return std::max(fm.horizontalAdvance(head), m_gapEnd);
    }

    int m_gapEnd = 0;
};

} // namespace

TChartPage::TChartPage(const TCodeArr& history, int sheet, QWidget* parent)
    : QWidget(parent), m_history(history), m_sheet(FindChartSheet(sheet) ? sheet : 0) {
    if (m_sheet) m_caption = FindChartSheet(m_sheet)->title(*m_game);
    const QString name = QStringLiteral("ExTabSheet%1").arg(m_sheet);
    setObjectName(name);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_topPanel = new QWidget(this);
    m_topPanel->setObjectName(name + QStringLiteral("TopPanel"));
    m_topPanel->setFixedHeight(TopPanelHeight);
    outer->addWidget(m_topPanel);

    m_label = new TGapLabel(QStringLiteral("统计最近         期的走势情况"), m_topPanel);
    m_label->move(7, 10);

    m_periodsEdit = new TPeriodSpin(m_topPanel);
    m_periodsEdit->setObjectName(name + QStringLiteral("Se"));
    m_periodsEdit->setGeometry(72, 5, 44, 23);
    m_periodsEdit->setButtonSymbols(QAbstractSpinBox::UpDownArrows);

    m_goButton = new QPushButton(QStringLiteral("查询"), m_topPanel);
    m_goButton->setObjectName(name + QStringLiteral("GoBt"));
    m_goButton->setGeometry(goButtonLeft(m_sheet), 6, 57, 22);
    connect(m_goButton, &QPushButton::clicked, this, [this] { refill(); });
    static_cast<TPeriodSpin*>(m_periodsEdit)->onEnter = [this] { refill(); };

    m_topBarHost = new QWidget(m_topPanel);
    m_topBar = new QHBoxLayout(m_topBarHost);
    m_topBar->setContentsMargins(0, 0, 0, 0);
    m_topBar->setSpacing(6);
    m_topBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layoutTopPanel();

    // The chart leaves the program by buttons and by the context menu of every chart control (the
    // controls leave the event to the body).
    const auto addPictureCommand = [this](const QString& text, const QString& tag,
                                          void (TChartPage::*slot)()) {
        auto* button = new QPushButton(text);
        button->setObjectName(objectName() + tag + QStringLiteral("Bt"));
        m_topBar->addWidget(button);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    m_copyBt =
        addPictureCommand(QStringLiteral("复制图片"), QStringLiteral("Copy"), &TChartPage::copyPicture);
    m_saveBt =
        addPictureCommand(QStringLiteral("保存图片..."), QStringLiteral("Save"), &TChartPage::savePicture);
    m_printBt =
        addPictureCommand(QStringLiteral("打印图表"), QStringLiteral("Print"), &TChartPage::printPicture);

    m_body = new QWidget(this);
    m_body->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QPushButton* button : {m_copyBt, m_saveBt, m_printBt}) {
        auto* action = new QAction(button->text(), m_body);
        connect(action, &QAction::triggered, button, &QPushButton::click);
        m_body->addAction(action);
    }
    m_bodyLayout = new QVBoxLayout(m_body);
    m_bodyLayout->setContentsMargins(0, 0, 0, 0);
    m_bodyLayout->setSpacing(0);
    outer->addWidget(m_body, 1);
}

void TChartPage::layoutTopPanel() {
    // The spin edit is as wide as the design's 44 pixels, or wider when the font needs it for
    // four digits ("3493" periods); the label's blanks and the widgets to the right make room.
    {
        TPeriodSpin probe(nullptr);
        probe.setFont(m_periodsEdit->font());
        probe.setRange(0, 9999);
        m_periodsEdit->resize(std::max(44, probe.sizeHint().width()), 23);
    }
    static_cast<TGapLabel*>(m_label)->setGapEnd(m_periodsEdit->geometry().right() + 4 - m_label->x());
    labelFitted();
    int right = m_label->geometry().right();
    for (QWidget* w : m_topPanel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != m_goButton && w != m_topBarHost && w->isVisibleTo(m_topPanel))
            right = std::max(right, w->geometry().right());
    m_goButton->move(std::max(goButtonLeft(m_sheet), right + 12), 6);
    m_topBarHost->setGeometry(m_goButton->geometry().right() + 9, 5, 600, 24);
}

int TChartPage::periods() const {
    int n = 0;
    return TryStrToInt(m_periodsEdit->text(), n) ? int(n) : 0;
}

void TChartPage::addTopWidget(QWidget* widget, int left, int top) {
    widget->setParent(m_topPanel);
    widget->move(left, top);
    widget->show();
    layoutTopPanel();
}

void TChartPage::setGame(const Game& game) {
    if (&game == m_game) return;
    const Game& previous = *m_game;
    m_periodsOfGame.insert(previous.keyText(), m_periodsEdit->value());
    m_game = &game;
    if (m_sheet) m_caption = FindChartSheet(m_sheet)->title(game);
    m_periodsEdit->setValue(m_periodsOfGame.value(game.keyText(), 30));
    gameChanged(previous);
    clearPage();
    if (isVisible()) refill();
}

bool TChartPage::refill() {
    const int n = periods();
    const bool ok = RunGuarded(this, [&] { fillPage(n); });
    if (ok) m_filledPeriods = n;
    if (ok) emit filled();
    return ok;
}

void TChartPage::fillPage(int) {}

std::optional<TChartPicture> TChartPage::picture() const {
    return std::nullopt;
}

QList<QAction*> TChartPage::pictureActions() const {
    return m_body->actions();
}

QImage TChartPage::pictureImage() const {
    const std::optional<TChartPicture> p = picture();
    return p ? ChartImage(*p, palette(), printTitle()) : QImage();
}

void TChartPage::savePictureTo(const QString& path) const {
    SaveChartPng(pictureImage(), path);
}

bool TChartPage::printPictureTo(QPagedPaintDevice& device, const QDateTime& when) const {
    const std::optional<TChartPicture> p = picture();
    return p && PaintChartPages(device, *p, palette(), {printTitle(), PrintHeaderLine(when)});
}

QString TChartPage::printTitle() const {
    return ChartTitleText(m_caption, *m_game, m_filledPeriods);
}

void TChartPage::copyPicture() {
    const QImage image = pictureImage();
    if (!image.isNull()) QGuiApplication::clipboard()->setImage(image);
}

void TChartPage::savePicture() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存图片"), pictureFileName(),
                                                      QStringLiteral("PNG 图片 (*.png)"));
    if (path.isEmpty()) return;
    RunGuarded(this, [&] { savePictureTo(path); });
}

void TChartPage::printPicture() {
    if (!picture()) return;
    const QDateTime when = QDateTime::currentDateTime();
    RunPrintCommand(this, m_game->namedTitles ? m_game->nameText() + m_caption : m_caption,
                    [&](QPagedPaintDevice& device) { return printPictureTo(device, when); });
}

QString TChartPage::pictureFileName() const {
    const QString name = m_game->namedTitles ? m_game->nameText() + QLatin1Char('-') + m_caption : m_caption;
    return name + QStringLiteral(".png");
}

ChartModel TChartPage::fillModel(int n) const {
    return FindChartSheet(m_sheet)->fill(m_history, chartArgs(n), *m_game);
}

void TChartPage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_topBarHost) layoutTopPanel();
}

void TChartPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window coming back from the task bar is no visit of the sheet.
    if (!event->spontaneous()) refill();
}
