#include "platform/pagetoolbar.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QToolButton>

PageToolbar::PageToolbar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

QToolButton* PageToolbar::addButton(const QString& caption, const QString& hint, const QString& objectName) {
    auto* button = new QToolButton(this);
    button->setText(caption);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setObjectName(objectName);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout()->addWidget(button);
    return button;
}

void PageToolbar::addStretch() {
    static_cast<QHBoxLayout*>(layout())->addStretch();
}

int runModally(QDialog& dialog) {
    return dialog.exec();
}
