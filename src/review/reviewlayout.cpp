// Where the review window's controls go: at design size, and after the
// window was resized (anchored to the bottom right corner).
#include "review/reviewlayout.h"

#include <initializer_list>

namespace orvik {

namespace {

constexpr int kButtonWidth = 1300;
constexpr int kButtonHeight = 330;
constexpr int kButtonTop = 3840;

constexpr TwipsRect button(int left) {
    return {left, kButtonTop, kButtonWidth, kButtonHeight};
}

// Margins between the window's outer size and the controls.
constexpr int kListWidthMargin = 225;
constexpr int kListHeightMargin = 1070;
constexpr int kButtonRowFromBottom = 790;
constexpr int kBarWidthMargin = 380;
constexpr int kLabelBelowButtons = 30;

// Left edges of the buttons, counted back from the window's outer width.
constexpr int kSuljeFromRight = 1490;
constexpr int kHyvaksyFromRight = 2890;
constexpr int kTulostaLaajaFromRight = 4290;
constexpr int kTulostaFromRight = 5690;
constexpr int kPoistaFromRight = 7090;

} // namespace

ReviewLayout designLayout() {
    ReviewLayout layout;
    layout.list = {60, 165, 7665, 3520};
    layout.bar = {90, 3720, 7635, 165};
    layout.poista = button(600);
    layout.tulosta = button(2040);
    layout.tulostaLaaja = button(3480);
    layout.hyvaksy = button(4920);
    layout.sulje = button(6360);
    layout.totals = {120, 3960, 5475, 345};
    return layout;
}

ReviewLayout resizedLayout(const ReviewLayout& current, int width, int height) {
    ReviewLayout layout = current;
    if (width - kListWidthMargin > 0)
        layout.list.width = width - kListWidthMargin;
    if (height - kListHeightMargin > 0)
        layout.list.height = height - kListHeightMargin;

    const int buttonTop = height - kButtonRowFromBottom;
    for (TwipsRect* rect :
         {&layout.tulosta, &layout.poista, &layout.hyvaksy, &layout.sulje, &layout.tulostaLaaja})
        rect->top = buttonTop;

    layout.bar.top = buttonTop;
    // A window narrower than the margin keeps the bar's width: a negative
    // width means nothing.
    if (width - kBarWidthMargin > 0)
        layout.bar.width = width - kBarWidthMargin;
    layout.totals.top = layout.tulosta.top + kLabelBelowButtons;

    layout.sulje.left = width - kSuljeFromRight;
    layout.hyvaksy.left = width - kHyvaksyFromRight;
    layout.tulostaLaaja.left = width - kTulostaLaajaFromRight;
    layout.tulosta.left = width - kTulostaFromRight;
    layout.poista.left = width - kPoistaFromRight;
    return layout;
}

} // namespace orvik
