#pragma once
// Captions that the game clock reads back as its state.
#include <QString>

namespace gameclock::caption {

inline const QString pleaseSet = QStringLiteral("セットしてください");
inline const QString start = QStringLiteral("開\u3000\u3000\u3000始");
inline const QString switchTurn = QStringLiteral("切\u3000り\u3000替\u3000え");
inline const QString pause = QStringLiteral("一時停止");
inline const QString resume = QStringLiteral("再開");
inline const QString toSeconds = QStringLiteral("秒表示");
inline const QString toMinutes = QStringLiteral("分秒表示");
inline const QString defaultName = QStringLiteral("プレイヤ（変更可）");

} // namespace gameclock::caption
