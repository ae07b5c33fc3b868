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

// Decodes a file piece by piece, as decode would the whole: a character
// split between two pieces is joined. Each byte costs the same, valid or not.
class Decoder
{
public:
    QString decode(const char *bytes, qsizetype size);
    // The end of the input: a lead byte left without its second byte.
    QString finish();

private:
    int lead_ = -1;
};

} // namespace settings::cp932
