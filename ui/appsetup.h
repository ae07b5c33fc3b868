#pragma once
// What the application needs before its first window: fonts and Qt's own
// Japanese texts for the standard buttons.
class QApplication;

namespace ui {

// The layout names "ＭＳ Ｐゴシック"; on Linux a metric-compatible proportional
// Gothic stands in for it.
void installFontSubstitutes();
void loadQtTranslation(QApplication &app);

} // namespace ui
