// The review window's results. (Placeholder until the results land.)
#include "review/frmrepo.h"

namespace orvik {

void frmRepo::Command1_Click() {}
void frmRepo::Command3_Click() {}
bool frmRepo::Command4_Click() { return true; }
void frmRepo::Command5_Click() {}
void frmRepo::printti() {}
void frmRepo::printti2() {}

} // namespace orvik
