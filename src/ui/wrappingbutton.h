#pragma once
// A push button that wraps its caption onto several lines when one line is
// too narrow, as the layout's buttons were drawn to do ("Vie Ohjelma
// lukijaan" on a button two words wide). text() stays the caption as given.
#include <QPushButton>

namespace orvik {

class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace orvik
