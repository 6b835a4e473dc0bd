#pragma once
class QApplication;

namespace orvik {

// The windows were laid out for an 8-point sans-serif font; every window uses it.
void applyApplicationFont(QApplication& app);

} // namespace orvik
