#pragma once

#include <QStyledItemDelegate>

// Edits report cells in a multi-line editor: Enter starts a new line, Tab and a click elsewhere
// end the edit, Escape drops it.
class ReportCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // Stores what an open editor holds and closes it, so a command sees the text being typed.
    void commitAndClose(QWidget* editor);
};
