// Arbitrary bytes as a settings file: reading never fails, and whatever it
// leaves in the values, once written, reads back exactly.
#include "settings/settingsfile.h"

#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

using settings::Values;

namespace {

// Not the defaults, so a line the reader skipped or a value it kept shows up
// in the written file; every text encodable in code page 932.
Values start()
{
    Values v;
    v.fields = {QStringLiteral("十分"), QStringLiteral(" 5 "), QStringLiteral("a=b"),
                QString(), QStringLiteral("ｶﾀｶﾅ"), QStringLiteral("－３")};
    v.firstLeft = false;
    v.wtime = {-1, 32767, -32768};
    return v;
}

bool same(const Values &a, const Values &b)
{
    return a.fields == b.fields && a.firstLeft == b.firstLeft && a.wtime == b.wtime;
}

QByteArray describe(const Values &v)
{
    QStringList parts;
    for (const QString &f : v.fields) {
        QString hex;
        for (QChar c : f) hex += QString::number(c.unicode(), 16) + u' ';
        parts << u'[' + hex.trimmed() + u']';
    }
    parts << (v.firstLeft ? QStringLiteral("L") : QStringLiteral("R"));
    for (qint16 w : v.wtime) parts << QString::number(w);
    return parts.join(u' ').toUtf8();
}

[[noreturn]] void fail(const char *what, const Values &expected, const Values &got)
{
    std::fprintf(stderr, "fuzz_readsettings: %s\n  wrote %s\n  read  %s\n", what,
                 describe(expected).constData(), describe(got).constData());
    std::abort();
}

// The write and the two reads cost most of a run; values already checked
// need no second check, the code being deterministic.
bool seenBefore(const Values &v)
{
    static std::unordered_set<std::string> seen;
    std::string key;
    for (const QString &f : v.fields) {
        const qsizetype n = f.size();
        key.append(reinterpret_cast<const char *>(&n), sizeof n);
        key.append(reinterpret_cast<const char *>(f.utf16()), size_t(n) * 2);
    }
    key += v.firstLeft ? 'L' : 'R';
    key.append(reinterpret_cast<const char *>(v.wtime.data()), sizeof v.wtime);
    if (seen.size() > 100000) seen.clear();
    return !seen.insert(std::move(key)).second;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Values values = start();
    if (!settings::readsettings(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)),
                                values)) {
        if (!same(values, start())) fail("a refused file changed the values", start(), values);
        return 0;
    }
    if (seenBefore(values)) return 0;

    QString error;
    const auto bytes = settings::writeSettings(values, &error);
    if (!bytes) {
        if (error.isEmpty()) {
            std::fprintf(stderr, "fuzz_readsettings: the writer refused without saying why\n");
            std::abort();
        }
        return 0;
    }
    Values fresh;
    settings::readsettings(*bytes, fresh);
    if (!same(fresh, values)) fail("the written file reads back different values", values, fresh);
    // From values that differ in every part: each written line must be one the reader applies.
    Values other;
    for (int i = 0; i < 6; ++i) other.fields[i] = values.fields[i] + u'x';
    other.firstLeft = !values.firstLeft;
    for (int i = 0; i < 3; ++i) other.wtime[i] = values.wtime[i] == 7 ? 8 : 7;
    settings::readsettings(*bytes, other);
    if (!same(other, values)) fail("a written line was not applied on reading", values, other);
    return 0;
}
