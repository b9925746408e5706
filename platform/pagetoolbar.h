#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QDialog;
class QToolButton;

// The row of buttons along the bottom of a wizard page or a dialog.
class PageToolbar : public QWidget {
public:
    explicit PageToolbar(QWidget* parent = nullptr);

    // A text button with its hint as tool tip; objectName lets tests find it.
    QToolButton* addButton(const QString& caption, const QString& hint, const QString& objectName);
    void addStretch();
};

// Shows a dialog modally. Windows hold one so tests can look at or drive a dialog without a
// nested event loop.
using ModalRunner = std::function<int(QDialog&)>;
int runModally(QDialog& dialog);
