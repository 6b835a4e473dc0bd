#pragma once
// Where the review window's controls go at a size, in twips.
namespace orvik {

// Positions in twips: left, top, width, height.
struct TwipsRect {
    int left, top, width, height;
    bool operator==(const TwipsRect&) const = default;
};

struct ReviewLayout {
    TwipsRect list, bar, poista, tulosta, tulostaLaaja, hyvaksy, sulje, totals;
};

// The layout at design size.
ReviewLayout designLayout();
// The layout after the window's outer size became `width` x `height` twips;
// sizes too small keep the list's width or height from `current`.
ReviewLayout resizedLayout(const ReviewLayout& current, int width, int height);

} // namespace orvik
