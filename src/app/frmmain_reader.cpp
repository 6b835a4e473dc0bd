// The main window's reader routines. (Placeholder until the reader link lands.)
#include "app/frmmain.h"
#include "reader/readerlibrary.h"

namespace orvik {

void frmMain::kokeileportti() {
    reader_.HM_OpenCommPort(porttinro, 19200, 8, 0, 1);
    reader_.HM_CloseCommPort(porttinro);
}

void frmMain::noudatiedot() {}
void frmMain::tyhjenna() {}
void frmMain::vieohjelma() {}
void frmMain::Command5_Click() { noudatiedot(); }
void frmMain::Command8_Click() {}
void frmMain::Command9_Click() { vieohjelma(); }

} // namespace orvik
