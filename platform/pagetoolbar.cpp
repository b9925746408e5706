#include "platform/pagetoolbar.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
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

QAction* PageToolbar::addCommand(QMenu& menu, const QString& name, const QString& button, const QString& hint,
                                 const QString& item, std::function<void()> handler) {
    if (!button.isEmpty())
        connect(addButton(button, hint, name + "Button"), &QToolButton::clicked, this, handler);
    QAction* action = menu.addAction(item, this, handler);
    action->setObjectName(name + "Item");
    return action;
}

QLabel* makeField(const QString& text, const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

int runModally(QDialog& dialog) {
    return dialog.exec();
}
