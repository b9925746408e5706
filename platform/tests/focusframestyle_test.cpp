#include "platform/focusframestyle.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QStyleFactory>
#include <QToolButton>
#include <QWidget>

namespace {

// How a button looks with and without the focus, given to it by a click rather than the Tab key.
struct Looks {
    QImage unfocused;
    QImage focused;
};

Looks looksOf(QStyle* style) {
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* first = new QToolButton(&window);
    auto* button = new QToolButton(&window);
    for (QToolButton* b : {first, button}) {
        b->setStyle(style);
        b->setText("Open");
        layout->addWidget(b);
    }
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus(Qt::MouseFocusReason);
    Looks looks;
    looks.unfocused = button->grab().toImage();
    button->setFocus(Qt::MouseFocusReason);
    looks.focused = button->grab().toImage();
    EXPECT_TRUE(button->hasFocus());
    return looks;
}

}  // namespace

TEST(FocusFrameStyle, AFocusedButtonShowsItsFrameWhereverTheFocusCameFrom) {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    const Looks plain = looksOf(fusion.get());
    // The style the frame is added to shows nothing for focus that came with a click.
    EXPECT_EQ(plain.unfocused, plain.focused);

    FocusFrameStyle style(QStyleFactory::create("Fusion"));
    const Looks framed = looksOf(&style);
    EXPECT_NE(framed.unfocused, framed.focused);
    EXPECT_EQ(framed.unfocused, plain.unfocused);
}
