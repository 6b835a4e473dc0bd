#pragma once
// The main window: start-up, settings, import, and the reader buttons and
// task row, hidden unless the settings ask for the reader layout. The
// handlers are named after their control and event.
//
//   control   caption                 what it does
//   Command3  "Hae tiedot"            imports the reader software's count
//   Command4  "Näytä rivit"           opens the review window
//   Command2  "Lopeta"                saves the settings and ends
//   Text1     "Vorda -hakemisto"      the reader software's directory
//   Text2     "Dataset -hakemisto"    the stock files' directory (read only)
//   Text3     "Inv -hakemisto"        the transfer file's directory (read only)
//   Text4     "Dat-hakemisto"         the work file's directory
//   Label3    -                       the import's outcome
//   reader layout only:
//   Command5  "Hae tiedot"            fetches the count from the reader
//   Command8  "Tyhjää lukija"         clears the reader
//   Command9  "Vie Ohjelma lukijaan"  sends the counting program, then ends
//   Command6  "Näytä rivit"           opens the review window
//   Combo1    "Portti"                the reader's port, tried when chosen
//   Combo2    "Tehtävä"               the task to run
//   Command1  "Suorita"               runs the chosen task
//   lblA      -                       a transfer's progress
//   Command7  "Lopeta"                (hidden, never shown)
#include <QWidget>
#include <cstdint>
#include <string>

#include "files/dirvalue.h"
#include "platform/platform.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvik {

class ReaderLibrary;
class ReaderView;
struct ReaderLink;

class frmMain : public QWidget {
    Q_OBJECT

public:
    frmMain(Platform& platform, ReaderLibrary& reader, std::string commandLine,
            QWidget* parent = nullptr);

    // Start-up; false when the program ended during it (a second copy).
    bool Form_Load();
    // Shows the window in the middle of its screen.
    void showCentred();

    // Controls, named as the program names them.
    QFrame* Frame1;
    QPushButton* Command1; // "Suorita" (task row)
    QPushButton* Command2; // "Lopeta"
    QPushButton* Command3; // "Hae tiedot" (import)
    QPushButton* Command4; // "Näytä rivit"
    QPushButton* Command5; // hidden "Hae tiedot" (reader fetch)
    QPushButton* Command6; // hidden "Näytä rivit"
    QPushButton* Command7; // hidden "Lopeta"
    QPushButton* Command8; // hidden "Tyhjää lukija"
    QPushButton* Command9; // hidden "Vie Ohjelma lukijaan"
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label8;
    QLabel* lblA;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QComboBox* Combo1;
    QComboBox* Combo2;

    // The chosen port, and the result code of the last reader routine.
    int32_t porttinro = 0;
    int32_t tulos = 0;

    const Directories& directories() const { return dirs_; }
    Platform& platform() { return platform_; }

    // Opens the review window without waiting for it; hides nothing itself.
    void showReview();

    // Routines and handlers.
    void arkistoi();
    void tallennaasetukset();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Combo1_Click();
    void Combo2_Click();
    void kokeileportti();
    void noudatiedot();
    void tyhjenna();
    void vieohjelma();

protected:
    void closeEvent(QCloseEvent* event) override; // Form_QueryUnload

private:
    void tellRecovery();
    void buildControls();
    void showReaderLayout();
    void setTabOrderByIndex();
    void connectHandlers();
    ReaderLink readerLink(ReaderView& view);

    Platform& platform_;
    ReaderLibrary& reader_;
    std::string commandLine_;
    Directories dirs_;
};

} // namespace orvik
