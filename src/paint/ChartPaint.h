#pragma once

#include "engine/charts/ChartSheets.h"
#include "engine/charts/H2NetLayout.h"
#include "paint/PageHeading.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// The one painting of the chart controls. The widgets, printing, image export and kelvora-cli all
// call these, so every picture of a chart is the same picture. Coordinates are the control's client
// coordinates; nothing here needs a widget.

// The font of the trend grids: two bold digits must fit a 16-pixel column, so narrow Latin digits
// first and Chinese from the base font.
QFont GridFont(const QFont& base);
// The font a sheet's control draws with, from the program's font.
QFont ChartFont(ChartKind kind, const QFont& base);
// How far the chart pages widen a grid's cells to fill a large window: twice their width at most,
// beyond which the numbers stand too far apart to read a row.
inline constexpr double MaxGridStretch = 2.0;
// And a bar chart's bars, gaps and steps.
inline constexpr double MaxBarStretch = 3.0;

// Widens every column of a grid to its widest text (header, cell or total, in the bold font the
// cells are drawn with) plus a small margin; the model's widths stay as the minimum.
void FitH2NetColumns(H2NetModel& model, const QFont& font);

// The trend grid: the fixed rows and the data rows the layout shows, as far as clip reaches.
void PaintH2Net(QPainter& p, const H2NetModel& model, const H2NetLayout& layout, const QFont& font,
                const QPalette& palette, const QRect& clip);
// The bar chart (the background is left as it is).
void PaintG2Net(QPainter& p, const G2NetModel& model, const QFont& font, const QPalette& palette);
// One titled table or board in its own client coordinates (outside the cells the background stays).
void PaintB0Net(QPainter& p, const B0NetModel& model, const QFont& font, const QPalette& palette);
// Tables placed at their bounds; only those that meet `visible` are drawn.
void PaintB0Nets(QPainter& p, const std::vector<B0NetModel>& models, const QFont& font,
                 const QPalette& palette, const QRect& visible);
// The rectangle every table of the list covers.
QRect B0NetsBounds(const std::vector<B0NetModel>& models);

// The whole chart of a sheet (every row and board, not only what a window shows), from (0, 0) on the
// palette's base colour; a grid with its columns fitted.
class TChartPicture {
  public:
    TChartPicture(const ChartModel& model, const QFont& font);

    QSize size() const { return m_size; }
    // The same picture with text drawn without smoothing (few colours, as images store it).
    TChartPicture crisp() const;
    // Paints the part `area` of the picture (the painter's coordinates are the picture's).
    void paint(QPainter& p, const QPalette& palette, const QRect& area) const;
    void paint(QPainter& p, const QPalette& palette) const { paint(p, palette, QRect(QPoint(0, 0), m_size)); }

    // Printing: the band at the top that every page repeats (a grid's header rows, 0 otherwise) and
    // the heights of the rows under it, top to bottom (grid rows, rows of boards, a whole bar
    // chart), which a page break never cuts. Head and rows together cover the picture's height.
    int printHead() const;
    std::vector<int> printRows() const;

  private:
    ChartModel m_model;
    QFont m_font;
    QSize m_size;
    std::vector<B0NetModel> m_tables; // boards or tables
    QPoint m_place;                   // where the tables' bounds start in the picture
};

// Prints the picture on the device's pages: as wide as a page (never enlarged), every page headed by
// the heading and the picture's repeated head, the rows broken between pages only where a row ends.
// False when the device fails.
bool PaintChartPages(QPagedPaintDevice& device, const TChartPicture& picture, const QPalette& palette,
                     const TPageHeading& heading = {});

QImage ChartImage(const ChartModel& model, const QFont& font, const QPalette& palette);
QImage ChartImage(const TChartPicture& picture, const QPalette& palette);
// The picture under a title line, as a printed chart is headed: the image 复制图片, 保存图片... and
// kelvora-cli chart --png give. As wide as the wider of the two.
QImage ChartImage(const TChartPicture& picture, const QPalette& palette, const QString& title);
// The title of a chart leaving the program: the sheet's caption (another game than the two-colour
// ball named in front) and the draws it covers, "红球走势图（最近30期）".
QString ChartTitleText(const QString& caption, const Game& game, int periods);
// The picture as PNG bytes. A chart of thousands of draws is a tall picture of few colours: it is
// stored with a colour table, which keeps file and time small. Throws KelvoraError when the
// picture could not be made or encoded (a null picture, no memory).
QByteArray ChartPng(const QImage& image);
// Writes the picture as a PNG file, whole or not at all; throws KelvoraError with the reason.
void SaveChartPng(const QImage& image, const QString& path);
