#include "paint/ChartPaint.h"

#include "engine/charts/PageBreaks.h"
#include "engine/core/KelvoraError.h"
#include "engine/io/AtomicFile.h"
#include "paint/NetPaint.h"
#include "paint/ProgramFont.h"
#include "paint/SalesPoolPaint.h"

#include <QBuffer>
#include <QDir>
#include <QHash>
#include <QImageWriter>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>
#include <future>
#include <zlib.h>

namespace {

constexpr TColor OliveColor = 0x008080;
constexpr TColor BarOutlineColor = 0x341232;
// Free pixels left and right of the widest text of a column.
constexpr int ColumnTextMargin = 4;
// Space around boards and tables in a picture.
constexpr int PictureMargin = 10;

} // namespace

QFont GridFont(const QFont& base) {
    QFont font = base;
    QStringList families{QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")};
    families += base.families().isEmpty() ? QStringList{base.family()} : base.families();
    font.setFamilies(families);
    return font;
}

QFont ChartFont(ChartKind kind, const QFont& base) {
    return kind == ChartKind::Grid ? GridFont(base) : base;
}

void FitH2NetColumns(H2NetModel& m, const QFont& font) {
    const QFontMetrics fm(NetFont(font, m.FFontSize, true));
    // Columns hold few distinct texts (numbers, counts): each is measured once.
    QHash<QString, int> widths;
    auto widthOf = [&](const QString& s) {
        auto it = widths.constFind(s);
        if (it == widths.cend()) it = widths.insert(s, CellTextWidth(fm, s));
        return *it;
    };
    for (int c = 0; c < m.colsCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < m.rowCount(); ++r) {
            const QString s = m.GetValue(r, c);
            if (!s.isEmpty()) widest = std::max(widest, widthOf(s));
        }
        if (widest + ColumnTextMargin > m.colWidths()[c]) m.setColWidth(c, widest + ColumnTextMargin);
    }
    // A caption over one column ("特别号") widens it only when it would be cut: the captions that
    // fit leave the column as it was.
    for (const TMergeRec& merge : m.merges()) {
        const int c = merge.TopLeft.x();
        if (!merge.Active || c != merge.BottomRight.x() || c < 0 || c >= m.colsCount()) continue;
        const int width = widthOf(merge.Text);
        if (width > m.colWidths()[c]) m.setColWidth(c, width + ColumnTextMargin);
    }
}

void PaintH2Net(QPainter& p, const H2NetModel& m, const H2NetLayout& l, const QFont& font,
                const QPalette& pal, const QRect& clip) {
    p.fillRect(clip, NetColor(clWindow, pal));
    if (m.colsCount() <= 0 || m.dynRows() <= 0 || l.ColLefts.size() != size_t(m.colsCount()) + 1) return;

    const int lw = m.FLineWidth;
    const int fix = m.fixRowCount();
    const int pitch = m.FRowHeight + m.FLineWidth;
    if (lw > 0) {
        p.setPen(QPen(pal.color(QPalette::Text), lw, Qt::SolidLine, Qt::FlatCap));
        const int right = l.GridRect.Right + lw;
        // Lines above or below the clip are left out (a picture is painted in bands).
        const int firstLine = pitch > 0 ? std::max(0, clip.top() / pitch - 1) : 0;
        const int endLine =
            pitch > 0 ? std::min(l.VisRows + fix, clip.bottom() / pitch + 1) : l.VisRows + fix;
        for (int i = firstLine; i <= endLine; ++i) {
            const int y = m.TopOfRow(i) - lw;
            p.drawLine(0, y, right, y);
        }
        const int bottom = l.GridRect.Bottom + lw;
        for (int i = 0; i <= m.colsCount(); ++i) {
            const int x = l.ColLefts[size_t(i)] - lw;
            p.drawLine(x, 0, x, bottom);
        }
    }

    TNetText text(p, font);
    const QColor fixColor = NetColor(m.FFixColor, pal);
    const QColor fixInk = NetInk(m.FFixColor, pal);
    auto cellRect = [&](int col, int top) {
        const int left = l.ColLefts[size_t(col)];
        return TNetRect{left, top, l.ColLefts[size_t(col) + 1] - lw, top + m.FRowHeight};
    };
    // Columns wholly left or right of the clip need no text.
    int firstCol = 0, endCol = m.colsCount();
    while (firstCol < endCol && l.ColLefts[size_t(firstCol) + 1] < clip.left())
        ++firstCol;
    while (endCol > firstCol && l.ColLefts[size_t(endCol) - 1] > clip.right())
        --endCol;
    text.setColor(fixInk);
    for (int c = firstCol; c < endCol; ++c) {
        for (int r = 0; r < fix; ++r) {
            const TNetRect rect = cellRect(c, m.TopOfRow(r));
            p.fillRect(ToQRect(rect), fixColor);
            text.DrawCellText(m.GetValue(r, c), rect, m.FFontSize, true);
        }
    }

    int first = l.firstPaintRow(m);
    int end = l.endPaintRow(m);
    // Rows above or below the clip need nothing either (an image paints in bands).
    if (pitch > 0) {
        first = std::max(first, fix + l.TopRow + (clip.top() - m.TopOfRow(fix)) / pitch);
        // Rounded down: a clip that ends above the data rows (a printed page's header) takes none.
        const int below = clip.bottom() - m.TopOfRow(fix);
        end = std::min(end, below < 0 ? first : fix + l.TopRow + below / pitch + 1);
    }
    for (int row = first; row < end; ++row) {
        const int top = m.TopOfRow(row, true, l.TopRow);
        for (int c = firstCol; c < endCol; ++c) {
            const TNetRect rect = cellRect(c, top);
            const TColor color = m.GetCellColor(row, c);
            if (color != clWindow) p.fillRect(ToQRect(rect), NetColor(color, pal));
            const QString s = m.GetValue(row, c);
            if (s.isEmpty()) continue;
            text.setColor(NetInk(color, pal));
            text.DrawCellText(s, rect, m.FFontSize, true);
        }
    }

    // A corner outside the columns would raise the geometry diagnostic on every repaint.
    auto inGrid = [&](QPoint cell) { return cell.x() >= 0 && cell.x() < m.colsCount(); };
    for (const TMergeRec& merge : m.merges()) {
        if (!merge.Active || !inGrid(merge.TopLeft) || !inGrid(merge.BottomRight)) continue;
        const TNetRect rect = UnionRect(cellRect(merge.TopLeft.x(), m.TopOfRow(merge.TopLeft.y())),
                                        cellRect(merge.BottomRight.x(), m.TopOfRow(merge.BottomRight.y())));
        p.fillRect(ToQRect(rect), NetColor(merge.Color, pal));
        text.setColor(NetInk(merge.Color, pal));
        text.DrawCellText(merge.Text, rect, m.FFontSize, true);
    }
}

void PaintG2Net(QPainter& p, const G2NetModel& m, const QFont& font, const QPalette& pal) {
    if (m.dynColCount() <= 0 || m.dynRowCount() <= 0) return;
    const QColor olive = NetColor(OliveColor, pal);
    const QColor ink = pal.color(QPalette::WindowText);
    TNetText text(p, font);
    const TNetRect chart = m.ChartRect();

    p.setBrush(Qt::NoBrush);
    text.setColor(ink);
    text.DrawBarText(m.FTitle, {chart.Left, chart.Top - 25, chart.Right, chart.Top - 5}, 11, false);

    const QPen olivePen(olive, 1);
    const QPen tickPen(ink, 2, Qt::SolidLine, Qt::FlatCap);
    if (m.FShowFrame) {
        p.setPen(olivePen);
        p.drawRect(chart.Left, chart.Top, chart.width() - 1, chart.height() - 1);
    }

    for (int q = 0; q <= m.FGridCount; ++q) {
        const int y = chart.Bottom - m.FGridStep * q;
        const int x = chart.Left;
        p.setPen(tickPen);
        p.drawLine(x, y, x - 4, y);
        p.setPen(ink);
        text.DrawBarText(m.ScaleLabel(q), {x - 25, y - 7, x - 10, y + 8}, 11, true);
        if (q > 0 && m.FShowFrame) {
            p.setPen(olivePen);
            p.drawLine(x, y, chart.Right, y);
        }
    }

    for (int c = 1; c <= m.dynColCount(); ++c) {
        const TNetRect bar = m.ScaleBar(m.BarRect(c, 1));
        // Clear of the axis line and its ticks.
        TNetRect box{bar.Left, chart.Bottom + 4, bar.Left + m.dynRowCount() * m.FBarWidth, chart.Bottom + 19};
        p.setPen(ink);
        text.DrawBarText(m.GetValue(c, 0), box, 11, false);
        const int cx = (box.Left + box.Right) / 2;
        p.setPen(tickPen);
        p.drawLine(cx, box.Top - 3, cx, box.Top + 1);
    }

    // Over thousands of draws the values above neighbouring bars grow wider than the room between
    // them: they are drawn smaller until the widest fits, so they never run into each other.
    int valueSize = 11;
    if (m.FShowValues) {
        const int room = (m.dynRowCount() > 1 ? m.FBarWidth : m.GroupWidth()) - 2;
        auto widest = [&](int size) {
            int w = 0;
            for (int r = 1; r <= m.dynRowCount(); ++r)
                for (int c = 1; c <= m.dynColCount(); ++c)
                    w = std::max(w, text.BarTextWidth(m.GetValue(c, r), size, true));
            return w;
        };
        while (valueSize > 6 && widest(valueSize) > room)
            --valueSize;
    }

    const QPen outline(NetColor(BarOutlineColor, pal), 1);
    for (int r = 1; r <= m.dynRowCount(); ++r) {
        const QColor fill = NetColor(m.seriesColor(r), pal);
        for (int c = 1; c <= m.dynColCount(); ++c) {
            const TNetRect bar = m.ScaleBar(m.BarRect(c, r));
            p.setPen(outline);
            if (bar.height() <= 0 || bar.width() <= 1) {
                // A flat bar shows only its outline, lying on the x axis.
                p.drawLine(bar.Left, bar.Bottom, bar.Right - 1, bar.Bottom);
            } else {
                p.setBrush(fill);
                p.drawRect(bar.Left, bar.Top, bar.width() - 1, bar.height() - 1);
                p.setBrush(Qt::NoBrush);
            }
            if (m.FShowValues) {
                p.setPen(ink);
                text.DrawBarText(m.GetValue(c, r), {bar.Left, bar.Top - 16, bar.Right, bar.Top - 2},
                                 valueSize, true);
            }
        }
    }

    p.setPen(QPen(ink, 1));
    p.drawLine(chart.Left, chart.Bottom, chart.Left, chart.Top - 15);
    p.drawLine(chart.Left, chart.Top - 15, chart.Left - 3, chart.Top - 3);
    p.drawLine(chart.Left, chart.Bottom, chart.Right + 15, chart.Bottom);
    p.drawLine(chart.Right + 15, chart.Bottom, chart.Right + 3, chart.Bottom - 3);
}

void PaintB0Net(QPainter& p, const B0NetModel& m, const QFont& font, const QPalette& pal) {
    if (m.colCount() <= 0 || m.rowCount() <= 0) return;
    const int lw = m.FLineWidth;
    const TNetRect grid = m.gridRect();
    if (lw > 0) {
        p.setPen(QPen(NetColor(m.FLineColor, pal), lw, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i <= m.visRows(); ++i) {
            const int y = m.TopOfRow(i) - lw;
            p.drawLine(0, y, grid.Right + lw, y);
        }
        for (int i = 0; i <= m.colCount(); ++i) {
            const int x = m.LeftOfCol(i) - lw;
            p.drawLine(x, m.titleHeight(), x, grid.Bottom + lw);
        }
    }

    TNetText text(p, font);
    if (!m.FTitle.isEmpty()) {
        text.setColor(pal.color(QPalette::WindowText));
        const TNetRect last = m.RectOfCell(m.colCount() - 1, 0);
        text.DrawCellText(m.FTitle, {0, 0, last.Right, m.TopOfRow(0)}, 11, true);
    }
    for (int r = 0; r < m.visRows(); ++r) {
        for (int c = 0; c < m.colCount(); ++c) {
            const TNetRect rect = m.RectOfCell(c, r);
            const TColor fill = m.GetCellColor(c, r);
            p.fillRect(ToQRect(rect), NetColor(fill, pal));
            text.setColor(NetInk(fill, pal));
            text.DrawCellText(m.GetValue(c, r), rect, 11, true);
        }
    }
}

void PaintB0Nets(QPainter& p, const std::vector<B0NetModel>& models, const QFont& font, const QPalette& pal,
                 const QRect& visible) {
    for (const B0NetModel& m : models) {
        const QRect b = m.bounds();
        if (!b.intersects(visible)) continue;
        p.save();
        p.translate(b.topLeft());
        p.setClipRect(QRect(QPoint(0, 0), b.size()), Qt::IntersectClip);
        PaintB0Net(p, m, font, pal);
        p.restore();
    }
}

QRect B0NetsBounds(const std::vector<B0NetModel>& models) {
    QRect r;
    for (const B0NetModel& m : models)
        r = r.united(m.bounds());
    return r;
}

TChartPicture::TChartPicture(const ChartModel& model, const QFont& font) : m_model(model), m_font(font) {
    if (auto* grid = std::get_if<H2NetModel>(&m_model)) {
        FitH2NetColumns(*grid, font);
        m_size = {H2NetContentWidth(*grid), H2NetContentHeight(*grid)};
    } else if (const auto* bars = std::get_if<G2NetModel>(&m_model)) {
        m_size = bars->RequestedSize();
    } else if (const auto* lines = std::get_if<SalesPoolChart>(&m_model)) {
        m_size = SalesPoolNaturalSize(*lines, font);
    } else {
        if (const auto* b = std::get_if<B0NetBoards>(&m_model)) {
            m_tables = b->boards;
        } else {
            const auto& t = std::get<OmissionTables>(m_model);
            m_tables = {t.red, t.blue};
        }
        const QRect r = B0NetsBounds(m_tables);
        m_place = {PictureMargin - r.left(), PictureMargin - r.top()};
        m_size = r.isEmpty() ? QSize() : r.size() + QSize(2 * PictureMargin, 2 * PictureMargin);
    }
    m_size = m_size.expandedTo(QSize(1, 1));
}

TChartPicture TChartPicture::crisp() const {
    TChartPicture copy = *this;
    copy.m_font.setStyleStrategy(QFont::NoAntialias);
    return copy;
}

void TChartPicture::paint(QPainter& p, const QPalette& pal, const QRect& area) const {
    if (const auto* grid = std::get_if<H2NetModel>(&m_model)) {
        PaintH2Net(p, *grid, FullH2NetLayout(*grid), m_font, pal, area);
        return;
    }
    p.fillRect(area, NetColor(clWindow, pal));
    if (const auto* bars = std::get_if<G2NetModel>(&m_model)) {
        PaintG2Net(p, *bars, m_font, pal);
        return;
    }
    if (const auto* lines = std::get_if<SalesPoolChart>(&m_model)) {
        PaintSalesPool(p, *lines, LayoutSalesPool(*lines, m_font, m_size), m_font, pal);
        return;
    }
    p.save();
    p.translate(m_place);
    PaintB0Nets(p, m_tables, m_font, pal, area.translated(-m_place));
    p.restore();
}

int TChartPicture::printHead() const {
    if (const auto* grid = std::get_if<H2NetModel>(&m_model))
        return grid->colsCount() > 0 ? std::min(grid->TopOfRow(grid->fixRowCount()), m_size.height()) : 0;
    return 0;
}

std::vector<int> TChartPicture::printRows() const {
    std::vector<int> cuts; // picture rows where a page may end, ascending
    const int head = printHead();
    if (const auto* grid = std::get_if<H2NetModel>(&m_model)) {
        // A row takes the line under it along; the last one also the margin below the grid.
        if (grid->colsCount() > 0)
            for (int r = grid->fixRowCount() + 1; r < grid->rowCount(); ++r)
                cuts.push_back(grid->TopOfRow(r));
    } else if (!m_tables.empty()) {
        // Between rows of boards: where no board reaches across.
        std::vector<std::pair<int, int>> spans;
        for (const B0NetModel& t : m_tables) {
            const QRect b = t.bounds().translated(m_place);
            spans.emplace_back(b.top(), b.bottom() + 1);
        }
        std::sort(spans.begin(), spans.end());
        int reach = 0;
        for (const auto& [top, bottom] : spans) {
            if (top >= reach && top > head) cuts.push_back(top);
            reach = std::max(reach, bottom);
        }
    }
    std::vector<int> heights;
    int last = head;
    for (const int cut : cuts) {
        if (cut <= last || cut >= m_size.height()) continue;
        heights.push_back(cut - last);
        last = cut;
    }
    if (last < m_size.height()) heights.push_back(m_size.height() - last);
    return heights;
}

bool PaintChartPages(QPagedPaintDevice& device, const TChartPicture& picture, const QPalette& palette,
                     const TPageHeading& heading) {
    QPainter p;
    if (!p.begin(&device)) return false;
    const QRect page = p.viewport();
    const QSize size = picture.size();
    QFont headingFont = p.font();
    headingFont.setPointSize(10);
    const int band = PageHeadingHeight(p, headingFont);
    const int head = picture.printHead();
    const std::vector<int> rows = picture.printRows();
    const int tallest = rows.empty() ? 0 : *std::max_element(rows.begin(), rows.end());
    // A picture pixel is a 96th of an inch, as on screen, unless that is wider than the page; a
    // row taller than a page (a huge board) is made smaller so that it fits all the same.
    const double natural = device.logicalDpiX() > 0 ? device.logicalDpiX() / 96.0 : 1.0;
    const int roomHeight = std::max(1, page.height() - band);
    const double fit = std::min(
        {natural, double(page.width()) / size.width(), double(roomHeight) / std::max(1, head + tallest)});
    const std::vector<TPageRows> pages = BreakPages(rows, int(roomHeight / fit) - head);
    std::vector<int> rowTop(rows.size() + 1, head);
    for (size_t i = 0; i < rows.size(); ++i)
        rowTop[i + 1] = rowTop[i] + rows[i];

    for (size_t k = 0; k < pages.size(); ++k) {
        if (k > 0 && !device.newPage()) return false;
        PaintPageHeading(p, headingFont, page, heading, int(k) + 1, int(pages.size()));
        p.save();
        p.translate(0, band);
        p.scale(fit, fit);
        if (head > 0) {
            const QRect area(0, 0, size.width(), head);
            p.save();
            p.setClipRect(area);
            picture.paint(p, palette, area);
            p.restore();
        }
        const int top = rowTop[size_t(pages[k].first)];
        const int bottom = rowTop[size_t(pages[k].end)];
        if (bottom > top) {
            p.translate(0, head - top);
            const QRect area(0, top, size.width(), bottom - top);
            p.setClipRect(area);
            picture.paint(p, palette, area);
        }
        p.restore();
    }
    return p.end();
}

QImage ChartImage(const ChartModel& model, const QFont& font, const QPalette& palette) {
    return ChartImage(TChartPicture(model, font), palette);
}

QImage ChartImage(const TChartPicture& source, const QPalette& palette) {
    // Crisp text keeps the picture to a few dozen colours, so it fits a colour table: a quarter of
    // the memory of a true-colour picture, which for a grid of thousands of draws is most of the time.
    const TChartPicture chart = source.crisp();
    const QSize size = chart.size();
    QImage image(size, QImage::Format_Indexed8);
    QList<QRgb> table;
    QHash<QRgb, uchar> index;
    // The picture is painted in bands through one small true-colour buffer.
    constexpr int BandHeight = 512;
    QImage band(size.width(), std::min(BandHeight, size.height()), QImage::Format_RGB32);
    for (int top = 0; top < size.height(); top += BandHeight) {
        {
            QPainter p(&band);
            p.translate(0, -top);
            const QRect area(0, top, size.width(), band.height());
            p.setClipRect(area);
            chart.paint(p, palette, area);
        }
        const int rows = std::min(BandHeight, size.height() - top);
        for (int y = 0; y < rows; ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(band.constScanLine(y));
            uchar* out = image.scanLine(top + y);
            // Most pixel rows repeat the one above (a cell row is 20 pixels high).
            if (y > 0 && std::memcmp(in, band.constScanLine(y - 1), size_t(size.width()) * 4) == 0) {
                std::memcpy(out, image.constScanLine(top + y - 1), size_t(size.width()));
                continue;
            }
            QRgb last = in[0] + 1;
            uchar lastIndex = 0;
            for (int x = 0; x < size.width(); ++x) {
                if (in[x] != last) {
                    last = in[x];
                    auto it = index.constFind(last);
                    if (it == index.cend()) {
                        if (table.size() == 256) {
                            // More colours than a table holds (a font without a crisp mode): true colour.
                            QImage full(size, QImage::Format_RGB32);
                            QPainter p(&full);
                            source.paint(p, palette);
                            return full;
                        }
                        it = index.insert(last, uchar(table.size()));
                        table.append(last);
                    }
                    lastIndex = *it;
                }
                out[x] = lastIndex;
            }
        }
    }
    image.setColorTable(table);
    return image;
}

namespace {

void appendBigEndian(QByteArray& out, quint32 value) {
    out.append(char(value >> 24)).append(char(value >> 16)).append(char(value >> 8)).append(char(value));
}

void appendChunk(QByteArray& out, const char type[4], const QByteArray& data) {
    appendBigEndian(out, quint32(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4).append(data);
    appendBigEndian(out, quint32(crc32(0, reinterpret_cast<const Bytef*>(out.constData() + start),
                                       uInt(out.size() - start))));
}

// One part of the picture's filtered rows as raw deflate. A chart's pixel rows mostly repeat the row
// above (a cell row is 20 pixels high): stored with the PNG "up" filter such a row is all zeros.
// Run-length deflate packs these runs nearly as small as full deflate at a fraction of the time. A part
// that is not the last ends on a byte boundary, so the parts join into one stream and can be made at
// the same time.
struct DeflatePart {
    QByteArray bytes;
    uLong adler = 1;
    qsizetype length = 0;
};

QString pictureFailedText() {
    return QStringLiteral("无法生成图片：内存不足");
}

// The stream is ended on every way out, an exception from a growing buffer included.
struct DeflateStream {
    z_stream z{};
    DeflateStream() {
        if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK)
            throw KelvoraError(pictureFailedText());
    }
    ~DeflateStream() { deflateEnd(&z); }
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;
};

DeflatePart deflateRows(const QImage& image, int first, int last, bool final) {
    const int w = image.width();
    DeflateStream stream;
    z_stream& z = stream.z;
    DeflatePart part;
    auto run = [&](int flush) {
        for (;;) {
            if (part.bytes.size() - qsizetype(z.total_out) < 65536)
                part.bytes.resize(part.bytes.size() * 2 + 65536);
            z.next_out = reinterpret_cast<Bytef*>(part.bytes.data()) + z.total_out;
            z.avail_out = uInt(part.bytes.size() - qsizetype(z.total_out));
            const int rc = deflate(&z, flush);
            if (rc == Z_STREAM_END) return;
            if (rc != Z_OK && rc != Z_BUF_ERROR) throw KelvoraError(pictureFailedText());
            if (flush != Z_FINISH && z.avail_in == 0 && z.avail_out != 0) return;
        }
    };
    QByteArray repeated(w + 1, 0);
    repeated[0] = 2;
    QByteArray row(w + 1, 0);
    for (int y = first; y < last; ++y) {
        const uchar* line = image.constScanLine(y);
        const bool repeat = y > 0 && std::memcmp(line, image.constScanLine(y - 1), size_t(w)) == 0;
        if (!repeat) std::memcpy(row.data() + 1, line, size_t(w));
        const QByteArray& data = repeat ? repeated : row;
        part.adler = adler32(part.adler, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size()));
        part.length += data.size();
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
        z.avail_in = uInt(data.size());
        run(Z_NO_FLUSH);
    }
    run(final ? Z_FINISH : Z_FULL_FLUSH);
    part.bytes.truncate(qsizetype(z.total_out));
    return part;
}

// The zlib stream of the picture's rows, made in two halves at once.
QByteArray deflatePicture(const QImage& image) {
    const int mid = image.height() / 2;
    auto later = std::async(std::launch::async, deflateRows, std::cref(image), mid, image.height(), true);
    const DeflatePart top = deflateRows(image, 0, mid, false);
    const DeflatePart bottom = later.get();
    QByteArray out;
    out.reserve(top.bytes.size() + bottom.bytes.size() + 6);
    out.append(char(0x78)).append(char(0x01)).append(top.bytes).append(bottom.bytes);
    appendBigEndian(out, quint32(adler32_combine(top.adler, bottom.adler, z_off_t(bottom.length))));
    return out;
}

QByteArray indexedPng(const QImage& image) {
    const int w = image.width(), h = image.height();
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendBigEndian(header, quint32(w));
    appendBigEndian(header, quint32(h));
    header.append(char(8)).append(char(3)).append(char(0)).append(char(0)).append(char(0));
    appendChunk(png, "IHDR", header);
    QByteArray palette;
    for (const QRgb c : image.colorTable())
        palette.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    appendChunk(png, "PLTE", palette);
    appendChunk(png, "IDAT", deflatePicture(image));
    appendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace

QByteArray ChartPng(const QImage& image) {
    if (image.isNull()) throw KelvoraError(pictureFailedText());
    // Measured against QImageWriter in one run (bench_chartpicture): from a few million pixels (a
    // trend chart of about a hundred draws) the own writer takes a quarter of QImageWriter's time
    // and three quarters of its light compression's; below that both take milliseconds and
    // QImageWriter's full compression makes the smaller file.
    constexpr qint64 OwnWriterFromPixels = 2'000'000;
    const bool indexed = image.format() == QImage::Format_Indexed8 && !image.colorTable().isEmpty();
    try {
        if (indexed && qint64(image.width()) * image.height() >= OwnWriterFromPixels)
            return indexedPng(image);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        // True colour: light compression, a tenth of the time of the default for a file a third larger.
        if (!indexed) writer.setQuality(80);
        if (!writer.write(image))
            throw KelvoraError(QStringLiteral("无法生成图片：%1").arg(writer.errorString()));
        return bytes;
    } catch (const std::bad_alloc&) {
        throw KelvoraError(pictureFailedText());
    }
}

void SaveChartPng(const QImage& image, const QString& path) {
    const QString why = WriteFileAtomically(path, ChartPng(image));
    if (!why.isEmpty())
        throw KelvoraError(
            QStringLiteral("无法保存文件 \"%1\"：%2").arg(QDir::toNativeSeparators(path), why));
}

QString ChartTitleText(const QString& caption, const Game& game, int periods) {
    // The first game's title stays as it always was; the others are named in front.
    const QString head = game.namedTitles ? game.nameText() + caption : caption;
    return head + QStringLiteral("（最近%1期）").arg(periods);
}

QImage ChartImage(const TChartPicture& picture, const QPalette& palette, const QString& title) {
    const QImage chart = ChartImage(picture, palette);
    if (title.isEmpty() || chart.isNull()) return chart;

    // The same font wherever the picture is made (window or kelvora-cli), drawn crisp so that the
    // title adds at most a colour or two to the chart's table.
    QFont font = ProgramFont();
    font.setPixelSize(16);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    constexpr int Pad = 8;
    const int bandHeight = metrics.height() + 2 * Pad;
    const int width = std::max(chart.width(), metrics.horizontalAdvance(title) + 4 * Pad);
    QImage band(width, bandHeight, QImage::Format_RGB32);
    const QColor base = NetColor(clWindow, palette);
    band.fill(base);
    {
        QPainter p(&band);
        p.setFont(font);
        p.setPen(NetInk(clWindow, palette));
        p.drawText(QRect(0, 0, width, bandHeight), Qt::AlignCenter, title);
    }

    if (chart.format() == QImage::Format_Indexed8) {
        // Kept indexed: a tall chart in true colour would take four times the memory.
        QList<QRgb> table = chart.colorTable();
        QHash<QRgb, uchar> index;
        for (int i = table.size() - 1; i >= 0; --i)
            index.insert(table[i], uchar(i));
        const auto indexOf = [&](QRgb colour) -> int {
            if (const auto it = index.constFind(colour); it != index.cend()) return *it;
            if (table.size() == 256) return -1;
            table.append(colour);
            index.insert(colour, uchar(table.size() - 1));
            return table.size() - 1;
        };
        QImage out(width, bandHeight + chart.height(), QImage::Format_Indexed8);
        bool fits = true;
        for (int y = 0; y < bandHeight && fits; ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(band.constScanLine(y));
            uchar* line = out.scanLine(y);
            for (int x = 0; x < width && fits; ++x) {
                const int i = indexOf(in[x]);
                fits = i >= 0;
                line[x] = uchar(std::max(i, 0));
            }
        }
        const int margin = indexOf(base.rgb());
        if (fits && margin >= 0) {
            for (int y = 0; y < chart.height(); ++y) {
                uchar* line = out.scanLine(bandHeight + y);
                std::memcpy(line, chart.constScanLine(y), size_t(chart.width()));
                std::memset(line + chart.width(), margin, size_t(width - chart.width()));
            }
            out.setColorTable(table);
            return out;
        }
    }
    QImage out(width, bandHeight + chart.height(), QImage::Format_RGB32);
    out.fill(base);
    QPainter p(&out);
    p.drawImage(0, 0, band);
    p.drawImage(0, bandHeight, chart);
    return out;
}
