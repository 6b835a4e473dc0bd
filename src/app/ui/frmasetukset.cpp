#include "app/ui/frmasetukset.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/startupsettings.h"
#include "files/dirvalue.h"
#include "platform/qt/qtext.h"
#include "text/codepage.h"
#include "ui/twips.h"

namespace orvik {
namespace {

using namespace literals;

QString fromUtf8(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

frmAsetukset::frmAsetukset(Platform& platform, FolderPicker& folders, QWidget* parent)
    : QDialog(parent), platform_(platform), folders_(folders) {
    setObjectName(QStringLiteral("frmAsetukset"));
    buildControls();
}

void frmAsetukset::buildControls() {
    setWindowTitle(QStringLiteral("Orvik - asetukset"));
    auto* grid = new QGridLayout(this);

    std::array<QLabel**, kSettingsDirectoryCount> labels = {&Label1, &Label2, &Label3, &Label4};
    std::array<QLineEdit**, kSettingsDirectoryCount> boxes = {&Text1, &Text2, &Text3, &Text4};
    std::array<QPushButton**, kSettingsDirectoryCount> pickers = {&Command1, &Command2, &Command3,
                                                                  &Command4};
    for (std::size_t i = 0; i < kSettingsDirectoryCount; ++i) {
        const int row = static_cast<int>(i);
        const QString caption = fromUtf8(settingsDirectories()[i].caption);
        QLabel* label = *labels[i] = new QLabel(caption, this);
        QLineEdit* box = *boxes[i] = new QLineEdit(this);
        QPushButton* picker = *pickers[i] = new QPushButton(QStringLiteral("Selaa..."), this);
        label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        box->setObjectName(QStringLiteral("Text%1").arg(row + 1));
        picker->setObjectName(QStringLiteral("Command%1").arg(row + 1));
        label->setBuddy(box);
        box->setAccessibleName(caption);
        // Four buttons read alike; each says which directory it chooses.
        picker->setAccessibleName(QStringLiteral("Selaa: ") + caption);
        picker->setAutoDefault(false);
        // As wide as the main window's text boxes.
        box->setMinimumWidth(twipsSize(4935, 285).width());
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(picker, row, 2);
        connect(picker, &QPushButton::clicked, this, [this, i] { chooseFolder(i); });
    }

    const int portRow = static_cast<int>(kSettingsDirectoryCount);
    Label5 = new QLabel(QStringLiteral("Portti"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    for (const char* entry : kPortEntries)
        Combo1->addItem(QString::fromLatin1(entry));
    Label5->setBuddy(Combo1);
    Combo1->setAccessibleName(Label5->text());
    grid->addWidget(Label5, portRow, 0);
    grid->addWidget(Combo1, portRow, 1, Qt::AlignLeft);

    Command5 = new QPushButton(QStringLiteral("Tallenna"), this);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command5->setDefault(true);
    Command6 = new QPushButton(QStringLiteral("Peruuta"), this);
    Command6->setObjectName(QStringLiteral("Command6"));
    Command6->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command5);
    buttons->addWidget(Command6);
    grid->addLayout(buttons, portRow + 1, 0, 1, 3);

    connect(Command5, &QPushButton::clicked, this, &frmAsetukset::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmAsetukset::Command6_Click);
}

std::array<QLineEdit*, kSettingsDirectoryCount> frmAsetukset::directoryBoxes() const {
    return {Text1, Text2, Text3, Text4};
}

void frmAsetukset::Form_Load() {
    const SettingsFormValues values = loadSettingsForm(platform_.settings);
    const auto boxes = directoryBoxes();
    for (std::size_t i = 0; i < kSettingsDirectoryCount; ++i)
        boxes[i]->setText(toQString(values.directories[i]));
    Combo1->setCurrentIndex(values.portIndex);
}

void frmAsetukset::chooseFolder(std::size_t directory) {
    QLineEdit* box = directoryBoxes().at(directory);
    std::string start = fromQString(box->text());
    if (start.empty())
        start = currentDirWithSeparator();
    const std::optional<std::string> chosen = folders_.chooseFolder(
        "Valitse "_cp + cp1252::fromUtf8(settingsDirectories()[directory].caption), start);
    if (chosen)
        box->setText(toQString(chosenFolderValue(*chosen)));
    box->setFocus();
}

void frmAsetukset::Command5_Click() {
    SettingsFormValues typed;
    const auto boxes = directoryBoxes();
    for (std::size_t i = 0; i < kSettingsDirectoryCount; ++i)
        typed.directories[i] = fromQString(boxes[i]->text());
    typed.portIndex = Combo1->currentIndex();

    const SettingsFormCheck check = checkSettingsForm(typed);
    for (std::size_t i = 0; i < kSettingsDirectoryCount; ++i)
        boxes[i]->setText(toQString(check.completed.directories[i]));
    if (!check.ok()) {
        platform_.messages.warning(check.problem);
        QLineEdit* failed = boxes.at(static_cast<std::size_t>(check.failedDirectory));
        failed->setFocus();
        failed->selectAll();
        return;
    }
    // A running copy saves its own two directories when it quits and its
    // stock and transfer directories at every start: what is saved here
    // would be overwritten. Holding the lock also keeps one from starting
    // until this dialog is gone.
    if (!platform_.singleCopy.acquire()) {
        platform_.messages.warning(" Orvik on käynnissä, ja lopettaessaan se tallentaisi omat "
                                   "hakemistonsa näiden päälle. Lopeta Orvik ja tallenna "
                                   "asetukset sitten uudelleen. "_cp);
        return;
    }
    saveSettingsForm(platform_.settings, check.completed);
    platform_.messages.notice(" Asetukset on tallennettu. Ne ovat käytössä, kun Orvik "
                              "käynnistetään seuraavan kerran. "_cp);
    accept();
}

void frmAsetukset::Command6_Click() {
    reject();
}

} // namespace orvik
