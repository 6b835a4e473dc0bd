#include "ui/wrappingbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace orvik {

void WrappingButton::paintEvent(QPaintEvent* event) {
    const QRect inside = rect().adjusted(3, 2, -3, -2);
    if (fontMetrics().horizontalAdvance(text()) <= inside.width()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(inside, Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace orvik
