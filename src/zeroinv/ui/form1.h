#pragma once
// The product-group dialog of the zero inventory: the user picks groups and
// presses "Valittu". The caller waits in showAndWait() until it is hidden.
//
//   control   caption    what it does
//   List1     -          the product groups of the name file, many chosen
//   Command1  "Valittu"  hides the dialog, keeping the choice
#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

class QListWidget;
class QPushButton;

namespace orvik {

class Form1 : public QDialog {
    Q_OBJECT

public:
    explicit Form1(Platform& platform, QWidget* parent = nullptr);

    // Fills List1 from the name file in `datat`; false after reporting a
    // name file that cannot be read (the list is then empty).
    bool Form_Load(const std::string& datat);

    // Shows the dialog centred and modal; returns once it is hidden.
    void showAndWait();

    // "Valittu": hides the dialog, keeping its selections.
    void Command1_Click();

    // The group numbers attached to the entries now in List1, in list order.
    std::vector<std::int32_t> listedGroupNumbers() const;

    QListWidget* List1;
    QPushButton* Command1;

protected:
    // The close box (and Escape) counts as no choice: the selection is dropped.
    void reject() override;

private:
    void layOut();
    void centreOnScreen();

    Platform& platform_;
};

} // namespace orvik
