#pragma once
// What the settings file keeps: the six set-up texts, who moves first, and
// the three warning thresholds.
#include <QString>
#include <array>

namespace settings {

struct Values
{
    std::array<QString, 6> fields;
    bool firstLeft = true;
    std::array<qint16, 3> wtime{};
};

} // namespace settings
