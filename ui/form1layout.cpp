#include "ui/form1layout.h"

namespace ui {

namespace {

constexpr ControlRow kControls[] = {
    // The set-up row.
    {"Command7", Kind::Button, u"全て0に", 0, 0, 930, 290, 8.25, None, 0},
    {"Label2(6)", Kind::Label, u"持　　ち　　時　　間", 240, 75, 3975, 255, 12, AlignCentre | RedText, 0},
    {"Label2(0)", Kind::Label, u"LEFT", 120, 240, 975, 375, 18, None, 0},
    {"Text1(0)", Kind::TextBox, u"10", 120, 600, 735, 495, 18, AlignCentre | WhiteBase, 3},
    {"Label3(0)", Kind::Label, u"分", 840, 720, 390, 360, 18, AutoSize, 0},
    {"Text1(1)", Kind::TextBox, u"0", 1200, 600, 615, 495, 18, AlignCentre, 2},
    {"Label3(1)", Kind::Label, u"秒", 1800, 720, 390, 360, 18, AutoSize, 0},
    {"Label2(4)", Kind::Label, u"RIGHT", 2280, 240, 1215, 375, 18, None, 0},
    {"Text1(2)", Kind::TextBox, u"10", 2280, 600, 735, 495, 18, AlignCentre | WhiteBase, 3},
    {"Label3(5)", Kind::Label, u"分", 3000, 720, 390, 360, 18, AutoSize, 0},
    {"Text1(3)", Kind::TextBox, u"0", 3360, 600, 615, 495, 18, AlignCentre, 2},
    {"Label3(6)", Kind::Label, u"秒", 3960, 720, 390, 360, 18, AutoSize, 0},
    {"Label2(1)", Kind::Label, u"通常加算", 4560, 75, 1095, 375, 12, RedText, 0},
    {"Text1(4)", Kind::TextBox, u"10", 4680, 600, 615, 495, 18, AlignCentre, 2},
    {"Label3(3)", Kind::Label, u"秒", 5280, 720, 390, 360, 18, AutoSize, 0},
    {"Label2(5)", Kind::Label, u"持ち時間", 5880, 75, 1095, 255, 12, RedText, 0},
    {"Label2(7)", Kind::Label, u"切れ後 一手", 5880, 345, 1455, 255, 12, RedText, 0},
    {"Text1(5)", Kind::TextBox, u"0", 5880, 600, 615, 495, 18, AlignCentre, 2},
    {"Label3(2)", Kind::Label, u"秒", 6480, 720, 375, 360, 18, AutoSize, 0},
    {"Label3(4)", Kind::Label, u"以内", 6840, 840, 510, 240, 12, AutoSize, 0},
    {"Label5", Kind::Label, u"初め", 7680, 80, 855, 255, 14.25, RedText, 0},
    {"Option1(0)", Kind::Option, u"LEFT", 7560, 480, 930, 285, 9.75, Underline | Checked | CyanBackground, 0},
    {"Option1(1)", Kind::Option, u"RIGHT", 7560, 840, 1170, 285, 9.75, Underline | CyanBackground, 0},
    {"Command2", Kind::Button, u"セット", 8760, 480, 1215, 615, 18, None, 0},
    {"Label4", Kind::Label, u"コルヴァン", 9120, 75, 1935, 255, 11.25, Underline | AlignRight, 0},
    {"Label6", Kind::Label, u"Ver  3.0", 9120, 315, 1935, 255, 11.25, Underline | AlignRight, 0},
    {"Command6", Kind::Button, u"", 10080, 600, 495, 495, 18, Underline, 0},
    {"Label8", Kind::Label, u"←", 10600, 630, 735, 255, 9, None, 0},
    {"Label7", Kind::Label, u"HELP", 10600, 840, 615, 375, 11.25, None, 0},
    // The clock band.
    {"Label2(2)", Kind::Label, u"LEFT ", 720, 1380, 975, 375, 18, AlignRight, 0},
    {"Text2", Kind::TextBox, u"プレイヤ（変更可）", 1800, 1430, 2175, 330, 12, AlignCentre | Light3DBase | BlackText, 0},
    {"Image1(0)", Kind::Image, u"", 4080, 1335, 600, 600, 0, None, 0},
    {"Label11", Kind::Label, u"", 4680, 1560, 735, 495, 18, Underline | AlignCentre, 0},
    {"Label12", Kind::Label, u"", 5640, 1560, 735, 495, 18, Underline | AlignCentre, 0},
    {"Image1(1)", Kind::Image, u"", 6360, 1335, 600, 600, 0, None, 0},
    {"Text3", Kind::TextBox, u"プレイヤ（変更可）", 7080, 1440, 2175, 330, 12, AlignCentre | Light3DBase, 0},
    {"Label2(3)", Kind::Label, u"RIGHT ", 9240, 1380, 1335, 375, 18, AlignRight, 0},
    {"Label1(0)", Kind::Label, u"", 2400, 1800, 675, 1995, 99.75, Underline | AlignCentre | KeepCentre, 0},
    {"Label1(1)", Kind::Label, u"", 8060, 1800, 675, 1995, 99.75, Underline | AlignCentre | KeepCentre, 0},
    {"Image2(0)", Kind::Image, u"", 120, 1320, 600, 600, 0, Hidden, 0},
    {"Image2(1)", Kind::Image, u"", 10560, 1320, 600, 600, 0, Hidden, 0},
    {"MMControl1", Kind::Hidden, u"", 3840, 3840, 3540, 330, 0, Hidden, 0},
    // The button band.
    {"Command1(0)", Kind::Button, u"セットしてください", 120, 4320, 7695, 1335, 36, None, 0},
    {"Command3", Kind::Button, u"一時停止", 7920, 4320, 1335, 1335, 20.25, None, 0},
    {"Command5", Kind::Button, u"秒表示", 9360, 4320, 1695, 615, 18, None, 0},
    {"Command4", Kind::Button, u"終了", 9360, 5040, 1695, 615, 18, None, 0},
};

constexpr LineRow kLines[] = {
    {"Line1", 4440, 120, 4440, 1080, 1},
    {"Line4", 5760, 120, 5760, 1080, 1},
    {"Line3", 7440, 120, 7440, 1080, 1},
    {"Line2(0)", 120, 1200, 11040, 1200, 5},
    {"Line2(1)", 120, 4200, 11040, 4200, 5},
    {"Line5", 5520, 1320, 5520, 3960, 1},
};

} // namespace

std::span<const ControlRow> form1Controls() { return kControls; }
std::span<const LineRow> form1Lines() { return kLines; }

} // namespace ui
