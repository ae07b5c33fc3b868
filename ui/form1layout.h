#pragma once
// The main window's controls as they stand when it opens. Geometry in twips.
#include <QtGlobal>
#include <span>

namespace ui {

enum class Kind { Button, Label, TextBox, Option, Image, Hidden };

enum Style : unsigned {
    None = 0,
    RedText = 1 << 0,
    WhiteBase = 1 << 1,
    Light3DBase = 1 << 2,
    CyanBackground = 1 << 3,
    Hidden = 1 << 4,
    AutoSize = 1 << 5,     // sizes itself to its text, keeping its top-left
    KeepCentre = 1 << 6,   // sizes itself to its text, keeping its centre
    Checked = 1 << 7,
    Underline = 1 << 8,
    AlignCentre = 1 << 9,
    AlignRight = 1 << 10,
    BlackText = 1 << 11,
};

struct ControlRow
{
    const char *name;
    Kind kind;
    const char16_t *text;
    int left, top, width, height;
    double points; // 0: no font of its own
    unsigned style;
    int maxLength; // text boxes only
};

struct LineRow
{
    const char *name;
    int x1, y1, x2, y2;
    int pixels; // thickness
};

std::span<const ControlRow> form1Controls();
std::span<const LineRow> form1Lines();

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 11205;
constexpr int kClientHeight = 5745;

} // namespace ui
