#pragma once

#include <QProxyStyle>

// The application's style with the focus frame drawn whenever a control has the focus. Some
// styles (Fusion among them) draw it only after the focus was moved with the keyboard, so a user
// who clicked once and then works with the keys cannot see where the keys go.
class FocusFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
