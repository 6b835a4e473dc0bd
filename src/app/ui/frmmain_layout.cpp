// The main window's controls as laid out: positions in twips, captions, tab
// indexes, and which controls start hidden; and the reader layout.
#include "app/ui/frmmain.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/qt/qtext.h"
#include "text/codepage.h"
#include "ui/twips.h"
#include "ui/windowcaption.h"
#include "ui/wrappingbutton.h"

namespace orvik {
namespace {

using namespace literals;

constexpr int kClientWidth = 6990;
constexpr int kClientHeight = 3225;
// The reader layout's window holds the task row (top 4080, "Suorita" 330
// high) with the margin the window leaves under its last text box (Text4 ends
// at 2805, 420 above the window's edge).
constexpr int kReaderClientHeight = 4080 + 330 + 420;

template <typename Widget>
Widget* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twipsRect(left, top, width, height));
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const std::string& caption, int left,
                    int top, int width, int height) {
    auto* widget = place<WrappingButton>(parent, name, left, top, width, height);
    widget->setText(toQString(caption));
    widget->setAutoDefault(false);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const std::string& caption, int left, int top,
              int width, int height) {
    auto* widget = place<QLabel>(parent, name, left, top, width, height);
    // Never lower than a line of its text: "Tehtävä" was drawn 165 twips
    // high, less than a line of the program's font.
    if (widget->height() < widget->fontMetrics().height())
        widget->resize(widget->width(), widget->fontMetrics().height());
    widget->setText(toQString(caption));
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return widget;
}

QLineEdit* textBox(QWidget* parent, const char* name, int left, int top, int width, int height) {
    return place<QLineEdit>(parent, name, left, top, width, height);
}

QComboBox* dropDownList(QWidget* parent, const char* name, int left, int top, int width,
                        int height) {
    return place<QComboBox>(parent, name, left, top, width, height);
}

} // namespace

void frmMain::buildControls() {
    setWindowTitle(toQString(kWindowCaption));
    setFixedSize(twipsSize(kClientWidth, kClientHeight));

    // The frame first, so that the window's own controls lie above it.
    Frame1 = place<QFrame>(this, "Frame1", 0, 0, 6975, 3135);
    Frame1->setFrameShape(QFrame::StyledPanel);

    Label4 = label(Frame1, "Label4", "Vorda -hakemisto", 120, 960, 1575, 210);
    Text1 = textBox(Frame1, "Text1", 1920, 960, 4935, 285);
    Label5 = label(Frame1, "Label5", "Dataset -hakemisto", 120, 1320, 1695, 210);
    Text2 = textBox(Frame1, "Text2", 1920, 1320, 4935, 285);
    Label6 = label(Frame1, "Label6", "Inv -hakemisto", 120, 1680, 1575, 210);
    Text3 = textBox(Frame1, "Text3", 1920, 1680, 4935, 285);
    Label1 = label(Frame1, "Label1", "Portti", 120, 2040, 750, 210);
    Label3 = label(Frame1, "Label3", "", 1920, 2160, 4215, 255);
    Label8 = label(Frame1, "Label8", "Dat-hakemisto", 120, 2520, 1695, 375);
    Label8->setWordWrap(true);
    Command7 = button(Frame1, "Command7", "Lopeta", 5640, 360, 1215, 495);

    Command3 = button(this, "Command3", "Hae tiedot", 3000, 360, 1215, 495);
    Command4 = button(this, "Command4", "Näytä rivit"_cp, 4320, 360, 1215, 495);
    Command2 = button(this, "Command2", "Lopeta", 5640, 360, 1215, 495);
    Text4 = textBox(this, "Text4", 1920, 2520, 4935, 285);
    Combo1 = dropDownList(this, "Combo1", 1920, 2040, 2000, 315);
    Command5 = button(this, "Command5", "Hae tiedot", 360, 360, 1215, 495);
    Command8 = button(this, "Command8", "Tyhjää lukija"_cp, 1680, 360, 1215, 495);
    Command9 = button(this, "Command9", "Vie Ohjelma lukijaan", 3000, 360, 1215, 495);
    Command6 = button(this, "Command6", "Näytä rivit"_cp, 4320, 360, 1215, 495);

    // The task row lies below the client area and is hidden from the start.
    Label2 = label(this, "Label2", "Tehtävä"_cp, 240, 4125, 705, 165);
    lblA = label(this, "lblA", "", 840, 4080, 3000, 360);
    Combo2 = dropDownList(this, "Combo2", 1005, 4080, 2000, 315);
    Command1 = button(this, "Command1", "Suorita", 3000, 4080, 1300, 330);
    for (QWidget* taskRowControl : std::initializer_list<QWidget*>{Label2, lblA, Combo2, Command1})
        taskRowControl->setVisible(false);

    // The user can't change these two directories here.
    Text2->setReadOnly(true);
    Text3->setReadOnly(true);

    // A screen reader names each box and list by the caption beside it; the
    // labels are drawn apart from their controls, so nothing else ties them.
    // Some desktops name a list by its entry and find its caption as its label.
    const std::pair<QWidget*, QLabel*> captioned[] = {{Text1, Label4},  {Text2, Label5},
                                                      {Text3, Label6},  {Text4, Label8},
                                                      {Combo1, Label1}, {Combo2, Label2}};
    for (const auto& [control, caption] : captioned) {
        caption->setBuddy(control);
        control->setAccessibleName(caption->text());
    }

    setTabOrderByIndex();
}

// For a shop with a reader on a serial port: the reader buttons take the
// places of the import and "Näytä rivit", the port row and the task row show.
void frmMain::showReaderLayout() {
    for (QWidget* control : std::initializer_list<QWidget*>{Command3, Command4})
        control->setVisible(false);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Command5, Command8, Command9, Command6, Label1, Combo1,
                                         Label2, lblA, Combo2, Command1})
        control->setVisible(true);
    setFixedSize(twipsSize(kClientWidth, kReaderClientHeight));
}

void frmMain::setTabOrderByIndex() {
    std::vector<std::pair<int, QWidget*>> byIndex = {
        {0, Command1},  {2, lblA},      {3, Combo1},    {4, Label4},    {5, Text1},
        {6, Combo2},    {7, Label2},    {8, Command4},  {9, Command3},  {10, Command2},
        {11, Label3},   {12, Text2},    {13, Label5},   {14, Text3},    {15, Label6},
        {16, Command5}, {17, Command6}, {18, Command7}, {19, Command8}, {20, Command9},
        {21, Label1},   {22, Text4},    {24, Label8}};
    std::sort(byIndex.begin(), byIndex.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    // Labels never take the focus; the chain links the controls that do.
    QWidget* previous = nullptr;
    for (const auto& [index, control] : byIndex) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace orvik
