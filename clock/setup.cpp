// "セット": the set-up fields read, the clock reset and both clocks drawn.
#include "clock/gameclock.h"

#include "clock/captions.h"

#include "common/decimaltext.h"
#include "common/wording.h"

#include <cmath>

namespace gameclock {

std::optional<GameClock::Setup> GameClock::readSetup()
{
    double value[6];
    for (int i = 0; i < 6; ++i) {
        const QString text = panel_.fieldText(i);
        const auto number = common::parseDecimal(text);
        if (!number) {
            panel_.notice(QStringLiteral("「%1」の%2は数として読めません。数を入力してください。")
                              .arg(common::setupFieldName(i), common::quoted(text)));
            return std::nullopt;
        }
        const double scale = (i == 0 || i == 2) ? 60.0 : 1.0;
        if (std::fabs(*number * scale) > kMaxSeconds) {
            panel_.notice(QStringLiteral("「%1」の%2は大きすぎます。").arg(common::setupFieldName(i), common::quoted(text)));
            return std::nullopt;
        }
        value[i] = *number;
    }
    const double increment = common::roundHalfEven(value[4]);
    if (increment < -32768 || increment > 32767) {
        panel_.notice(QStringLiteral("「%1」は -32768 から 32767 までの数にしてください。").arg(common::setupFieldName(4)));
        return std::nullopt;
    }
    return Setup{static_cast<qint16>(increment), value[0] * 60 + value[1], value[2] * 60 + value[3], value[5]};
}

void GameClock::command2Click()
{
    if (const auto setup = readSetup())
        applySetup(*setup);
}

void GameClock::applySetup(const Setup &setup)
{
    syokika();
    panel_.setClockRed(0, false);
    panel_.setClockRed(1, false);
    panel_.setTimerOn(false);
    s_.addtime = setup.addtime;
    s_.lefttime = setup.lefttime;
    s_.righttime = setup.righttime;
    byoyomi_ = setup.byoyomi;
    ticked_ = {false, false};
    presses_.clear();
    cues_.hushVoice();
    markVoice(0, s_.lefttime);
    markVoice(1, s_.righttime);
    showTime(0, s_.lefttime);
    showTime(1, s_.righttime);
    const int first = panel_.firstChoice();
    if (first == 0 || first == 1) {
        s_.turn = turnOfSide(first);
        panel_.setLamp(0, first == 0);
        panel_.setLamp(1, first == 1);
    }
    panel_.setMoveCaption(caption::start);
    panel_.setPauseCaption(caption::pause);
}

} // namespace gameclock
