#pragma once
class QIcon;

namespace orvik {

// The program's icon, the same drawing the desktop shows for it, at the sizes
// window decorations and task bars ask for.
QIcon applicationIcon();

} // namespace orvik
