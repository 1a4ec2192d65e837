#pragma once

#include "engine/charts/ChartSheets.h"
#include "engine/core/CodeRec.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QWidget>
#include <optional>

class QAction;
class QHBoxLayout;
class QPagedPaintDevice;
class TChartPicture;
class QLabel;
class QPushButton;
class QShowEvent;
class QSpinBox;
class QVBoxLayout;

// One sheet of the chart page control: a top panel with the period spin edit and the "查询" button
// over a body that holds the page's chart control(s). The show event and the button both rebuild
// the chart from the current history with the spin value, inside the standard error guard, so a
// refused N (the fill routine throws before it touches any model) leaves the chart as it was.
//
// A page derives from it, puts its control into body() (bodyLayout() is a zero-margin vertical
// layout) and implements fillPage(n). Widgets of its own go onto the top panel with addTopWidget
// (absolute position, like the frame's own) or into topBar(), a row that starts right of "查询".
class TChartPage : public QWidget {
    Q_OBJECT
  public:
    // sheet: the number 1..ChartSheetCount in the engine's sheet table; it gives the caption, the widget names
    // (ExTabSheet<k>, ExTabSheet<k>Se, ExTabSheet<k>GoBt) and the button's place.
    TChartPage(const TCodeArr& history, int sheet, QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    const Game& game() const { return *m_game; }
    // Shows the charts of `game` (the history now holds its draws): the caption in its words, the
    // period count the page had for it before, and a fresh fill when the page is in view.
    void setGame(const Game& game);
    int sheetNumber() const { return m_sheet; } // 1..ChartSheetCount, 0 for a number outside the table

    QWidget* topPanel() const { return m_topPanel; }
    QLabel* label() const { return m_label; }
    QSpinBox* periodsEdit() const { return m_periodsEdit; }
    QPushButton* goButton() const { return m_goButton; }

    // N: the spin edit's text as a decimal integer; a text that is not an integer counts as 0.
    int periods() const;

    // Places a widget of the page on the top panel at (left, top).
    void addTopWidget(QWidget* widget, int left, int top);
    // A row of widgets right of the "查询" button.
    QHBoxLayout* topBar() const { return m_topBar; }

    // Count of completed fills (show events and clicks that got through the size check).

    // The whole chart the page's controls hold (every row and board), nothing on a page without one.
    virtual std::optional<TChartPicture> picture() const;
    QImage pictureImage() const;
    // Writes the picture as PNG (throws KelvoraError with the reason).
    void savePictureTo(const QString& path) const;
    // Prints the picture on the device's pages, each headed by the print time `when`, the title and
    // the page number; false when the device fails.
    bool printPictureTo(QPagedPaintDevice& device,
                        const QDateTime& when = QDateTime::currentDateTime()) const;
    // The printed title: the caption and the number of draws the chart shows.
    QString printTitle() const;
    // The file name 保存图片... offers: the caption, after the game's name for the super lotto.
    QString pictureFileName() const;

    // The buttons and context-menu entries "复制图片", "保存图片..." and "打印图表".
    QPushButton* copyButton() const { return m_copyBt; }
    QPushButton* saveButton() const { return m_saveBt; }
    QPushButton* printButton() const { return m_printBt; }
    QList<QAction*> pictureActions() const;

  public slots:
    // What the show event and the "查询" button do: fillPage(periods()) inside the error guard.
    // Returns false when the fill was refused.
    bool refill();
    // 复制图片: the picture onto the clipboard.
    void copyPicture();
    // 保存图片...: asks for a PNG file and writes the picture into it.
    void savePicture();
    // 打印图表: the print preview (printing, "导出PDF..."), or with no printer the choice of preview
    // or PDF file.
    void printPicture();

  signals:
    // After every successful fill (a refused period count leaves the chart and sends nothing).
    void filled();

  protected:
    // Rebuilds the chart for the latest n draws. Throws KelvoraError (from the engine's period
    // check) before changing anything when n cannot be served. The empty frame does nothing.
    virtual void fillPage(int n);
    // What the sheet's fill routine reads besides the history; pages with more inputs add theirs.
    virtual ChartArgs chartArgs(int n) const { return {n}; }
    // The sheet's fill routine from the engine's table, run for the latest n draws.
    ChartModel fillModel(int n) const;

    QWidget* body() const { return m_body; }
    // Places the top panel's widgets: the label's blanks are spaced out so that its text clears
    // the period spin edit, and "查询" moves right when the label or a page's widget reaches it.
    // Call again after changing the label's text.
    void layoutTopPanel();
    // Called after the label got its final size (pages place widgets that follow it).
    virtual void labelFitted() {}
    // Called by setGame before the refill: pages put up their own widgets for the new game.
    virtual void gameChanged(const Game& previous) { Q_UNUSED(previous); }
    // Empties the page's controls, so that no chart of another game stays when a fill is refused.
    virtual void clearPage() {}
    QVBoxLayout* bodyLayout() const { return m_bodyLayout; }

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

    const TCodeArr& m_history;

  private:
    QString m_caption;
    int m_sheet = 0;
    const Game* m_game = &Game::ssq();
    QHash<QString, int> m_periodsOfGame; // each game keeps its own period count
    QWidget* m_topPanel = nullptr;
    QLabel* m_label = nullptr;
    QSpinBox* m_periodsEdit = nullptr;
    QPushButton* m_goButton = nullptr;
    QWidget* m_topBarHost = nullptr;
    QHBoxLayout* m_topBar = nullptr;
    QWidget* m_body = nullptr;
    QVBoxLayout* m_bodyLayout = nullptr;
    QPushButton* m_copyBt = nullptr;
    QPushButton* m_saveBt = nullptr;
    QPushButton* m_printBt = nullptr;
    int m_filledPeriods = 0;
};
