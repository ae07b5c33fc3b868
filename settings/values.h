#pragma once
// What the settings file keeps: the six set-up texts, who moves first, the
// three warning thresholds, and whether the voice reads the time.
#include <QString>
#include <array>

namespace settings {

struct Values
{
    std::array<QString, 6> fields;
    bool firstLeft = true;
    std::array<qint16, 3> wtime{};
    bool voice = false;
};

} // namespace settings
