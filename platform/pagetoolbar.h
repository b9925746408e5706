#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QToolButton;

// The row of buttons along the bottom of a wizard page or a dialog.
class PageToolbar : public QWidget {
public:
    explicit PageToolbar(QWidget* parent = nullptr);

    // A text button with its hint as tool tip; objectName lets tests find it.
    QToolButton* addButton(const QString& caption, const QString& hint, const QString& objectName);
    void addStretch();

    // A command that stands on this toolbar and in a menu: a button named name + "Button" (none
    // when button is empty) and an action named name + "Item", both calling handler.
    QAction* addCommand(QMenu& menu, const QString& name, const QString& button, const QString& hint,
                        const QString& item, std::function<void()> handler);
};

// A field of a page that a run writes into: a framed label.
QLabel* makeField(const QString& text, const QString& objectName, QWidget* parent);

// Shows a dialog modally. Windows hold one so tests can look at or drive a dialog without a
// nested event loop.
using ModalRunner = std::function<int(QDialog&)>;
int runModally(QDialog& dialog);
