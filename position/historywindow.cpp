#include "position/historywindow.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <set>

#include "platform/core/safefile.h"
#include "platform/displaytext.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"
#include "position/historystore.h"

namespace {

const QStringList kColumns = {"Term", "Engine", "Latest", "Change", "Best", "Outcome"};

QString positionCell(int position) {
    return position > 0 ? QString::number(position) : QString("-");
}

QColor changeColour(const HistorySummary& row) {
    if (row.changeText == "new" || (row.change && *row.change > 0))
        return QColor(0, 128, 0);
    if (row.changeText == "lost" || (row.change && *row.change < 0))
        return QColor(192, 0, 0);
    return QColor();
}

}  // namespace

HistoryWindow::HistoryWindow(std::filesystem::path file, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_store(std::make_unique<HistoryStore>(std::move(file))),
      m_prompts(prompts) {
    setWindowTitle("Ranqor: Rank History");
    resize(760, 560);

    m_address = new QComboBox(this);
    m_address->setObjectName("historyAddress");
    m_address->setMinimumContentsLength(40);
    connect(m_address, &QComboBox::currentIndexChanged, this, &HistoryWindow::addressChanged);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Address:", this));
    top->addWidget(m_address, 1);

    m_table = new QTableWidget(0, static_cast<int>(kColumns.size()), this);
    m_table->setObjectName("historyTable");
    m_table->setHorizontalHeaderLabels(kColumns);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &HistoryWindow::selectionChanged);

    auto* chart = new QChart;
    chart->setTitle("Position over time");
    m_chartView = new QChartView(chart, this);
    m_chartView->setObjectName("historyChart");
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(260);

    auto* toolbar = new PageToolbar(this);
    connect(toolbar->addButton("Export CSV", "Save the shown rows as CSV", "exportCsvButton"),
            &QToolButton::clicked, this, &HistoryWindow::exportCsvClick);
    connect(toolbar->addButton("Export Chart", "Save the chart as a PNG picture", "exportChartButton"),
            &QToolButton::clicked, this, &HistoryWindow::exportChartClick);
    toolbar->addStretch();
    connect(toolbar->addButton("Help", "How to read the history", "helpButton"), &QToolButton::clicked, this,
            [this] { m_prompts.openHelp("rank-history"); });
    connect(toolbar->addButton("Close", "Close the history", "closeButton"), &QToolButton::clicked, this,
            &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_chartView, 2);
    layout->addWidget(toolbar);
}

HistoryWindow::~HistoryWindow() = default;

QChart* HistoryWindow::chart() const {
    return m_chartView->chart();
}

void HistoryWindow::reload(const std::string& preferred) {
    std::vector<std::string> addresses;
    try {
        addresses = m_store->addresses();
    } catch (const HistoryError& e) {
        m_prompts.error(e.what());
    }
    const QSignalBlocker blocker(m_address);
    m_address->clear();
    int current = 0;
    for (const std::string& address : addresses) {
        if (address == preferred)
            current = m_address->count();
        m_address->addItem(toDisplay(address), QByteArray::fromStdString(address));
    }
    m_address->setCurrentIndex(addresses.empty() ? -1 : current);
    addressChanged();
}

void HistoryWindow::addressChanged() {
    m_points.clear();
    if (m_address->currentIndex() >= 0) {
        try {
            m_points = m_store->points(m_address->currentData().toByteArray().toStdString());
        } catch (const HistoryError& e) {
            m_prompts.error(e.what());
        }
    }
    m_rows = summarizeHistory(m_points);
    const QSignalBlocker blocker(m_table);
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int r = 0; r < static_cast<int>(m_rows.size()); ++r) {
        const HistorySummary& row = m_rows[static_cast<size_t>(r)];
        const QString cells[] = {
            toDisplay(row.term),
            toDisplay(row.engine),
            positionCell(row.latest),
            QString::fromStdString(row.changeText),
            positionCell(row.best),
            QString::fromUtf8(outcomeName(row.latestOutcome).data(),
                              static_cast<qsizetype>(outcomeName(row.latestOutcome).size()))};
        for (int c = 0; c < static_cast<int>(kColumns.size()); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(cells[c]));
        if (QColor colour = changeColour(row); colour.isValid())
            m_table->item(r, 3)->setForeground(colour);
    }
    m_table->resizeColumnsToContents();
    selectionChanged();
}

void HistoryWindow::selectionChanged() {
    std::set<int> selected;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        selected.insert(index.row());
    if (selected.empty() && !m_rows.empty())
        selected.insert(0);

    QChart* chart = m_chartView->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    auto* timeAxis = new QDateTimeAxis;
    timeAxis->setFormat("yyyy-MM-dd");
    timeAxis->setTitleText("Date");
    auto* rankAxis = new QValueAxis;
    rankAxis->setReverse(true);  // rank 1 at the top
    rankAxis->setLabelFormat("%d");
    rankAxis->setTitleText("Position");
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(rankAxis, Qt::AlignLeft);

    int worst = 10;
    long long first = 0, last = 0;
    for (int r : selected) {
        for (const HistoryPoint& p :
             pointsOf(m_points, m_rows[static_cast<size_t>(r)].term, m_rows[static_cast<size_t>(r)].engine)) {
            worst = std::max(worst, p.position);
            first = first == 0 ? p.time : std::min(first, p.time);
            last = std::max(last, p.time);
        }
    }
    // Failures and unreadable pages are marked below the worst rank, where no line runs.
    const int markerLevel = worst + 1;
    auto attach = [&](QXYSeries* series) {
        chart->addSeries(series);
        series->attachAxis(timeAxis);
        series->attachAxis(rankAxis);
    };
    for (int r : selected) {
        const HistorySummary& row = m_rows[static_cast<size_t>(r)];
        const QString name = toDisplay(row.term) + " – " + toDisplay(row.engine);
        const ChartSeries data = chartSeries(pointsOf(m_points, row.term, row.engine));
        QColor colour;
        for (const std::vector<ChartPoint>& line : data.lines) {
            auto* series = new QLineSeries;
            series->setName(name);
            series->setPointsVisible(true);
            for (const ChartPoint& p : line)
                series->append(static_cast<qreal>(p.time) * 1000.0, p.position);
            attach(series);
            // One colour and one legend entry per row, however many pieces its line has.
            if (colour.isValid()) {
                series->setColor(colour);
                chart->legend()->markers(series).front()->setVisible(false);
            } else {
                colour = series->color();
            }
        }
        if (!data.markers.empty()) {
            auto* markers = new QScatterSeries;
            markers->setName(name + " (failed or unreadable)");
            markers->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            markers->setMarkerSize(9);
            markers->setColor(QColor(192, 0, 0));
            for (const ChartMarker& m : data.markers)
                markers->append(static_cast<qreal>(m.time) * 1000.0, markerLevel);
            attach(markers);
        }
    }
    if (first == last) {  // one day's checks still get a visible span
        first -= 43200;
        last += 43200;
    }
    timeAxis->setRange(QDateTime::fromSecsSinceEpoch(first), QDateTime::fromSecsSinceEpoch(last));
    rankAxis->setRange(1, markerLevel);
    // Whole ranks only, few enough to read: 1, then steps of a fifth of the range.
    rankAxis->setTickType(QValueAxis::TicksDynamic);
    rankAxis->setTickAnchor(1);
    rankAxis->setTickInterval(std::max(1, (markerLevel - 1) / 5));
}

void HistoryWindow::exportCsvClick() {
    saveExport({"Export Rank History", "CSV|*.csv|All Files (*.*)|*.*", {}, "csv"}, "The history",
               [this] { return summaryCsv(m_rows); });
}

void HistoryWindow::exportChartClick() {
    saveExport({"Export Rank Chart", "PNG|*.png|All Files (*.*)|*.*", {}, "png"}, "The chart", [this] {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!m_chartView->grab().save(&buffer, "PNG"))
            throw std::runtime_error("the picture could not be made");
        return png.toStdString();
    });
}

void HistoryWindow::saveExport(const FileDialogRequest& request, const std::string& what,
                               const std::function<std::string()>& content) {
    std::optional<FileDialogResult> chosen = m_prompts.saveFile(request);
    if (!chosen)
        return;
    try {
        writeFileAtomically(chosen->path, content());
        m_prompts.information(what + " was exported.");
    } catch (const std::exception& e) {
        m_prompts.error(what + " could not be exported: " + std::string(e.what()));
    }
}
