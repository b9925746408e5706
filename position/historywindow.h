#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "position/core/historytable.h"

class HistoryStore;
class Prompts;
struct FileDialogRequest;
class QChart;
class QChartView;
class QComboBox;
class QTableWidget;
class QToolButton;

// The rank history of one address: a table of its terms × engines (the latest position, the
// change since the check before, the best position ever) and a line chart of the selected rows
// over time, rank 1 at the top. The shown rows export as CSV, the chart as PNG.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    HistoryWindow(std::filesystem::path file, Prompts& prompts, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Reads the recorded addresses and shows preferred when it is one of them (else the first).
    void reload(const std::string& preferred = {});

    QComboBox* addressBox() const { return m_address; }
    QTableWidget* table() const { return m_table; }
    QChart* chart() const;
    QChartView* chartView() const { return m_chartView; }
    const std::vector<HistorySummary>& rows() const { return m_rows; }

public slots:
    void addressChanged();
    // Draws the selected rows, or the first row when none is selected.
    void selectionChanged();
    void exportCsvClick();
    void exportChartClick();

private:
    // Asks for a file name and writes what content makes there, telling how it went.
    void saveExport(const FileDialogRequest& request, const std::string& what,
                    const std::function<std::string()>& content);

    std::unique_ptr<HistoryStore> m_store;
    Prompts& m_prompts;
    std::vector<HistoryPoint> m_points;
    std::vector<HistorySummary> m_rows;
    QComboBox* m_address;
    QTableWidget* m_table;
    QChartView* m_chartView;
};
