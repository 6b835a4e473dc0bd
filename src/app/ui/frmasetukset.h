#pragma once
// The settings dialog, opened by "orvik --asetukset" instead of the main
// window: the directories and the port, each under the main window's
// caption, checked before they are saved (settingsform.h).
//
//   control   caption                 what it does
//   Text1     "Vorda -hakemisto"      the reader software's directory
//   Text2     "Dataset -hakemisto"    the stock files' directory
//   Text3     "Inv -hakemisto"        the transfer file's directory
//   Text4     "Dat-hakemisto"         the work file's directory
//   Command1  "Selaa..."              chooses Text1's directory (likewise
//   ...                               Command2 to Command4 for Text2 to Text4)
//   Combo1    "Portti"                the reader's port
//   Command5  "Tallenna"              checks, saves and closes
//   Command6  "Peruuta"               closes without saving
#include <QDialog>
#include <array>

#include "app/settingsform.h"
#include "platform/folderpicker.h"
#include "platform/platform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvik {

class frmAsetukset : public QDialog {
    Q_OBJECT

public:
    frmAsetukset(Platform& platform, FolderPicker& folders, QWidget* parent = nullptr);

    // Shows the stored values.
    void Form_Load();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QComboBox* Combo1;
    QPushButton* Command5; // "Tallenna"
    QPushButton* Command6; // "Peruuta"

    // The directory boxes and their pickers, in settingsDirectories() order.
    std::array<QLineEdit*, kSettingsDirectoryCount> directoryBoxes() const;

    void chooseFolder(std::size_t directory); // Command1_Click to Command4_Click
    void Command5_Click();
    void Command6_Click();

private:
    void buildControls();

    Platform& platform_;
    FolderPicker& folders_;
};

} // namespace orvik
