#include "platform/focusframestyle.h"

#include <QStyleOptionFocusRect>

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        if (const auto* focus = qstyleoption_cast<const QStyleOptionFocusRect*>(option)) {
            QStyleOptionFocusRect shown(*focus);
            shown.state |= State_KeyboardFocusChange;
            QProxyStyle::drawPrimitive(element, &shown, painter, widget);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
