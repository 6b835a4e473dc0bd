// The main window's task row. (Placeholder until task control lands.)
#include "app/frmmain.h"

namespace orvik {

void frmMain::Command1_Click() {}
void frmMain::Combo2_Click() {}

} // namespace orvik
