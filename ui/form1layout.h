#pragma once
// The main window's controls as they stand when it opens, placed in twips.
// Every control keeps its layout name as its object name.
#include "ui/twipslayout.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace ui {

class ClockFace;
class FitLabel;
class SetupField;
class WrapButton;

// The controls the program reads or changes; labels that only stand there
// and the rules are placed but not kept. Index 0 is the left player.
struct Form1Controls
{
    WrapButton *command1 = nullptr; // Command1(0), the move button
    WrapButton *command2 = nullptr, *command3 = nullptr, *command4 = nullptr;
    WrapButton *command5 = nullptr, *command6 = nullptr, *command7 = nullptr;
    SetupField *text1[6] = {};
    QLineEdit *text2 = nullptr, *text3 = nullptr;
    QRadioButton *option1[2] = {};
    ClockFace *label1[2] = {};
    FitLabel *label11 = nullptr, *label12 = nullptr;
    QLabel *image1[2] = {}; // the lamps
    QLabel *image2[2] = {}; // hidden: the lit and the dark lamp's pictures
};

// Client area of the main window, in twips.
constexpr int kForm1Width = 11205;
constexpr int kForm1Height = 5745;

Form1Controls buildForm1(TwipsLayout &layout, QWidget *client);

} // namespace ui
