#include "position/reportcelldelegate.h"

#include <QPlainTextEdit>
#include <algorithm>

QWidget* ReportCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* editor = new QPlainTextEdit(parent);
    editor->setFrameShape(QFrame::NoFrame);
    editor->setObjectName("cellEditor");
    return editor;
}

void ReportCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* text = qobject_cast<QPlainTextEdit*>(editor);
    if (text)
        text->setPlainText(index.data(Qt::EditRole).toString());
}

void ReportCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    auto* text = qobject_cast<QPlainTextEdit*>(editor);
    if (text)
        model->setData(index, text->toPlainText(), Qt::EditRole);
}

void ReportCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const {
    // Room for a few lines even in a one-line row, so a new line stays in sight.
    QRect rect = option.rect;
    rect.setHeight(std::max(rect.height(), 4 * option.fontMetrics.height()));
    editor->setGeometry(rect);
}

void ReportCellDelegate::commitAndClose(QWidget* editor) {
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}
