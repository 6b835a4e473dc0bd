#include "zeroinv/ui/form1.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "platform/qt/qtext.h"
#include "text/codepage.h"
#include "ui/twips.h"
#include "zeroinv/productgroups.h"

namespace orvik {

using namespace orvik::literals;

Form1::Form1(Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
    setObjectName("Form1");
    setWindowTitle(toQString(" Nollainventoinnin tuoteryhmät"_cp));
    layOut();
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

void Form1::layOut() {
    setFixedSize(twipsSize(4425, 3120));

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    List1->setGeometry(twipsRect(135, 180, 4110, 2310));

    Command1 = new QPushButton("Valittu", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(twipsRect(3315, 2670, 915, 330));
    Command1->setAutoDefault(false);

    setTabOrder(List1, Command1);
}

bool Form1::Form_Load(const std::string& datat) {
    List1->clear();
    const GroupListResult list = readProductGroups(datat);
    if (list.failure) {
        platform_.messages.show(stockFailureText(*list.failure), kNoticeTitle, MsgIcon::Exclamation,
                                MsgButtons::Ok);
        return false;
    }
    for (const GroupEntry& group : list.groups) {
        auto* item = new QListWidgetItem(toQString(group.name), List1);
        item->setData(Qt::UserRole, group.number);
    }
    return true;
}

void Form1::showAndWait() {
    centreOnScreen();
    List1->setFocus();
    exec(); // a modal dialog's loop ends as soon as the dialog is hidden
}

void Form1::centreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void Form1::Command1_Click() {
    hide();
    platform_.events.runPendingOnce();
}

void Form1::reject() {
    List1->clearSelection();
    QDialog::reject();
}

std::vector<std::int32_t> Form1::listedGroupNumbers() const {
    std::vector<std::int32_t> numbers;
    numbers.reserve(static_cast<std::size_t>(List1->count()));
    for (int row = 0; row < List1->count(); ++row)
        numbers.push_back(List1->item(row)->data(Qt::UserRole).toInt());
    return numbers;
}

} // namespace orvik
