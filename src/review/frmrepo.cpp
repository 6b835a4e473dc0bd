// Placeholder until the review window lands: an empty window.
#include "review/frmrepo.h"

#include <QObject>

namespace orvik {

class ReviewTableModel : public QObject {};

frmRepo::frmRepo(Platform& platform, const Directories& dirs, QWidget* parent)
    : QWidget(parent), platform_(platform), dirs_(dirs) {
    setObjectName(QStringLiteral("frmRepo"));
}

frmRepo::~frmRepo() = default;

void frmRepo::Show() { show(); }
void frmRepo::listChanged() {}
void frmRepo::resizeEvent(QResizeEvent*) {}
void frmRepo::closeEvent(QCloseEvent*) {}

} // namespace orvik
