#include "position/reporttablemodel.h"

#include "platform/displaytext.h"
#include "position/core/reportgrid.h"

#include <QColor>
#include <QFont>
#include <algorithm>

ReportTableModel::ReportTableModel(ReportGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid) {}

void ReportTableModel::reload() {
    beginResetModel();
    endResetModel();
}

bool ReportTableModel::isLink(const std::string& cell) {
    return cell.find("://") != std::string::npos;
}

QString ReportTableModel::shownText(const std::string& cell) {
    QString text = toDisplay(cell);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

std::string ReportTableModel::storedText(const QString& shown) {
    QString text = shown;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.replace(QChar::LineSeparator, QChar('\n'));
    text.replace(QChar::ParagraphSeparator, QChar('\n'));
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return fromDisplay(text);
}

const std::string* ReportTableModel::cellAt(int column, int gridRow) const {
    const GridTable& table = m_grid.table();
    if (column < 0 || column >= table.columnCount() || gridRow < 0 || gridRow >= table.rowCount())
        return nullptr;
    return &table.cell(column, gridRow);
}

int ReportTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return std::max(0, m_grid.rowCount() - 1);
}

int ReportTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_grid.table().columnCount();
}

QVariant ReportTableModel::data(const QModelIndex& index, int role) const {
    const std::string* cell = index.isValid() ? cellAt(index.column(), index.row() + 1) : nullptr;
    if (!cell)
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return shownText(*cell);
        case Qt::ForegroundRole:
            if (isLink(*cell))
                return QColor(Qt::blue);
            return {};
        case Qt::FontRole:
            if (isLink(*cell)) {
                QFont font;
                font.setUnderline(true);
                return font;
            }
            return {};
        default:
            return {};
    }
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const std::string* cell = cellAt(section, 0);
    return cell ? shownText(*cell) : QString();
}

bool ReportTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const std::string* cell = cellAt(index.column(), index.row() + 1);
    if (!cell)
        return false;
    QString text = value.toString();
    // An editor closed without a change hands back the shown text; the bytes read stay.
    if (text == shownText(*cell))
        return true;
    m_grid.table().setCell(index.column(), index.row() + 1, storedText(text));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::ForegroundRole, Qt::FontRole});
    return true;
}

Qt::ItemFlags ReportTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool ReportTableModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || count < 1 || row < 0 || row > rowCount() || m_grid.rowCount() == 0)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_grid.table().insertRow(row + 1);
    endInsertRows();
    return true;
}

bool ReportTableModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || count < 1 || row < 0 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_grid.table().removeRow(row + 1);
    endRemoveRows();
    return true;
}
