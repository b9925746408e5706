#pragma once

#include <QAbstractTableModel>
#include <string>

class ReportGrid;

// The report grid as a Qt table. Row 0 of the grid, its fixed header row, is the horizontal
// header; model row r is grid row r + 1. Cells are shown decoded for display and every line
// break as one line break; a cell the user leaves as it was keeps its bytes, and an edited
// cell is stored as UTF-8 with CR LF line breaks. Cells holding "://" are shown as links.
//
// The analysis and a file read write into the ReportGrid directly, not through this model.
// Call reload() when such a change is done; until then the model answers only for cells that
// still exist, so a view that repaints meanwhile never reads outside the grid.
class ReportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReportTableModel(ReportGrid& grid, QObject* parent = nullptr);

    // Tells the views that the grid was changed outside the model.
    void reload();

    static bool isLink(const std::string& cell);
    // The text as it is shown and edited: decoded, CR LF, lone CR and lone LF each one "\n".
    static QString shownText(const std::string& cell);
    // What an edited text is stored as: UTF-8 with each line break written CR LF.
    static std::string storedText(const QString& shown);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

private:
    const std::string* cellAt(int column, int gridRow) const;

    ReportGrid& m_grid;
};
