#pragma once
// Qt's own Japanese texts for the standard buttons of message boxes.
class QApplication;

namespace ui {

void loadQtTranslation(QApplication &app);

} // namespace ui
