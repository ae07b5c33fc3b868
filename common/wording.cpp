#include "common/wording.h"

namespace common {

namespace {

constexpr qsizetype kExcerpt = 20;

const char16_t *const kFieldNames[6] = {
    u"LEFT の持ち時間（分）", u"LEFT の持ち時間（秒）",
    u"RIGHT の持ち時間（分）", u"RIGHT の持ち時間（秒）",
    u"通常加算（秒）", u"切れ後 一手（秒）",
};

QChar visible(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20) return QChar(0x2400 + u); // the control pictures: ␀ to ␟
    if (u == 0x7F) return QChar(0x2421);    // ␡
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return QChar(0xFFFD);
    default:
        return c;
    }
}

} // namespace

QString setupFieldName(int index)
{
    return QString::fromUtf16(kFieldNames[index]);
}

QString quoted(const QString &text)
{
    qsizetype end = qMin(text.size(), kExcerpt);
    if (end < text.size() && text[end - 1].isHighSurrogate()) --end; // keep a pair whole
    QString out;
    out.reserve(end + 3);
    out += u'「';
    for (qsizetype i = 0; i < end; ++i) out += visible(text[i]);
    if (end < text.size()) out += u'…';
    out += u'」';
    return out;
}

} // namespace common
