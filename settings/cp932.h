#pragma once
// Code page 932 (Windows-31J), the encoding of the settings files users already have.
#include <QByteArray>
#include <QString>
#include <optional>

namespace settings::cp932 {

// nullopt when text holds a character the code page cannot represent.
std::optional<QByteArray> encode(const QString &text);
// Never fails: undecodable bytes become U+FFFD.
QString decode(const QByteArray &bytes);

} // namespace settings::cp932
