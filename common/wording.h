#pragma once
// Wording that notices from several subsystems share.
#include <QString>

namespace common {

// How notices name the six set-up fields, Text1(0) to Text1(5).
QString setupFieldName(int index);

// text in corner brackets for a notice: at most a short excerpt, with control
// and layout characters shown as visible symbols, so that neither a huge text
// nor a line break or a direction override can garble the box.
QString quoted(const QString &text);

} // namespace common
