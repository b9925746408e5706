#include "position/reportprinter.h"

#include "platform/core/gridtable.h"
#include "platform/displaytext.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Layout measures are in tenths of a millimetre, like the printers of old.
const double kHeaderUnits = 120;
const double kFooterUnits = 80;
const double kColumnSpacingUnits = 100;
const double kCellPaddingUnits = 10;
const double kBorderUnits = 2;
const double kHeaderFontPixels = 19;  // screen pixels at 96 per inch
const double kScreenDpi = 96;

struct Cell {
    std::unique_ptr<QTextLayout> layout;
};

class Sheet {
public:
    Sheet(const GridTable& table, QPrinter& printer) : m_table(table), m_printer(printer) {
        m_unit = printer.resolution() / 254.0;
        m_bodyFont.setPointSizeF(10);
        // Unshaped text keeps "fi" and the like as letters a reader can copy out of the print.
        m_bodyFont.setStyleStrategy(QFont::PreferNoShaping);
        m_headerRowFont = m_bodyFont;
        m_headerRowFont.setBold(true);
        m_headerFont = m_bodyFont;
        m_headerFont.setBold(true);
        m_headerFont.setPointSizeF(kHeaderFontPixels * 72 / kScreenDpi);
        layOutColumns();
    }

    double unit() const { return m_unit; }
    const QFont& headerFont() const { return m_headerFont; }
    const QFont& bodyFont() const { return m_bodyFont; }

    // The laid-out cells of a row and its height.
    std::vector<Cell> layOutRow(int row, double& height) const {
        std::vector<Cell> cells;
        const QFont& font = row == 0 ? m_headerRowFont : m_bodyFont;
        double lines = QFontMetricsF(font, &m_printer).height();
        height = lines;
        for (int column = 0; column < m_table.columnCount(); ++column) {
            QString text = toDisplay(m_table.cell(column, row));
            text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
            text.replace(QChar('\r'), QChar::LineSeparator);
            text.replace(QChar('\n'), QChar::LineSeparator);
            Cell cell{std::make_unique<QTextLayout>(text, font, &m_printer)};
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            cell.layout->setTextOption(option);
            double y = 0;
            double width = std::max(1.0, m_widths[static_cast<size_t>(column)] - m_padding);
            cell.layout->beginLayout();
            for (QTextLine line = cell.layout->createLine(); line.isValid();
                 line = cell.layout->createLine()) {
                line.setLineWidth(width);
                line.setPosition(QPointF(0, y));
                y += line.height();
            }
            cell.layout->endLayout();
            height = std::max(height, y);
            cells.push_back(std::move(cell));
        }
        height += 2 * kCellPaddingUnits * m_unit;
        return cells;
    }

    void drawRow(QPainter& painter, std::vector<Cell>& cells, double top, double height) const {
        double x = m_left;
        for (size_t column = 0; column < cells.size(); ++column) {
            QRectF box(x, top, m_widths[column], height);
            painter.drawRect(box);
            cells[column].layout->draw(&painter,
                                       QPointF(x + m_padding / 2, top + kCellPaddingUnits * m_unit));
            x += m_widths[column];
        }
    }

private:
    // Columns keep their widths when the table fits across the page. When it does not, each
    // column narrower than an even share of what is left keeps its width and the wider ones
    // share the rest evenly, so one very wide column does not squeeze the others to nothing.
    void layOutColumns() {
        double pageWidth = m_printer.pageRect(QPrinter::DevicePixel).width();
        m_padding = kColumnSpacingUnits * m_unit;
        std::vector<double> wanted;
        for (int column = 0; column < m_table.columnCount(); ++column) {
            wanted.push_back(std::max(0, m_table.columnWidth(column)) * m_printer.resolution() / kScreenDpi +
                             m_padding);
        }
        std::vector<size_t> order(wanted.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return wanted[a] < wanted[b]; });
        m_widths.assign(wanted.size(), 0);
        double left = pageWidth;
        for (size_t k = 0; k < order.size(); ++k) {
            double share = left / static_cast<double>(order.size() - k);
            m_widths[order[k]] = std::min(wanted[order[k]], share);
            left -= m_widths[order[k]];
        }
        m_left = std::max(0.0, left) / 2;
    }

    const GridTable& m_table;
    QPrinter& m_printer;
    double m_unit = 1;
    QFont m_bodyFont;
    QFont m_headerRowFont;
    QFont m_headerFont;
    std::vector<double> m_widths;
    double m_padding = 0;
    double m_left = 0;
};

void drawPageFrame(QPainter& painter, const Sheet& sheet, const QRectF& page, const QDateTime& when) {
    painter.save();
    painter.setFont(sheet.headerFont());
    painter.setPen(QColor(128, 0, 128));
    QRectF header(page.left(), page.top(), page.width(), kHeaderUnits * sheet.unit());
    painter.drawText(header, Qt::AlignHCenter | Qt::AlignTop, when.toString("dd/MM/yyyy"));
    painter.setFont(sheet.bodyFont());
    painter.setPen(Qt::black);
    QRectF footer(page.left(), page.bottom() - kFooterUnits * sheet.unit(), page.width(),
                  kFooterUnits * sheet.unit());
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom, when.toString("HH:mm:ss"));
    painter.restore();
}

}  // namespace

bool printReport(const GridTable& table, QPrinter& printer, const QDateTime& when) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    Sheet sheet(table, printer);
    QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    double bodyTop = kHeaderUnits * sheet.unit();
    double bodyBottom = page.height() - kFooterUnits * sheet.unit();
    painter.setPen(QPen(Qt::black, kBorderUnits * sheet.unit()));

    double headerHeight = 0;
    std::vector<Cell> headerRow;
    if (table.rowCount() > 0)
        headerRow = sheet.layOutRow(0, headerHeight);

    drawPageFrame(painter, sheet, page, when);
    double y = bodyTop;
    if (!headerRow.empty()) {
        sheet.drawRow(painter, headerRow, y, headerHeight);
        y += headerHeight;
    }
    for (int row = 1; row < table.rowCount(); ++row) {
        double height = 0;
        std::vector<Cell> cells = sheet.layOutRow(row, height);
        // A row taller than a whole page is printed on a page of its own and cut at its foot.
        bool pageHasRows = y > bodyTop + headerHeight;
        if (y + height > bodyBottom && pageHasRows) {
            printer.newPage();
            drawPageFrame(painter, sheet, page, when);
            y = bodyTop;
            sheet.drawRow(painter, headerRow, y, headerHeight);
            y += headerHeight;
        }
        painter.save();
        painter.setClipRect(QRectF(page.left(), bodyTop, page.width(), bodyBottom - bodyTop));
        sheet.drawRow(painter, cells, y, height);
        painter.restore();
        y += height;
    }
    return painter.end();
}
