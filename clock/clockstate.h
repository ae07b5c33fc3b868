#pragma once
// The main window's record of game state. Flags hold -1 for true, 0 for false.
#include <QtGlobal>

namespace gameclock {

struct ClockState
{
    double starttime = 0;
    double lefttime = 0;
    double righttime = 0;
    double leftbyo = 0;
    double rightbyo = 0;
    qint16 leftbyoon = 0;
    qint16 rightbyoon = 0;
    qint16 turn = 0;   // -1 left player, 0 right player
    qint16 secdisp = 0; // -1 plain seconds, 0 minutes and seconds
    qint16 addtime = 0;
    qint16 rightblink = 0;
    qint16 leftblink = 0;
    qint16 leftwarn1 = 0, leftwarn2 = 0, leftwarn3 = 0;
    qint16 rightwarn1 = 0, rightwarn2 = 0, rightwarn3 = 0;
    qint16 leftbyowarn1 = 0, leftbyowarn2 = 0, leftbyowarn3 = 0;
    qint16 rightbyowarn1 = 0, rightbyowarn2 = 0, rightbyowarn3 = 0;
    qint16 leftmoves = 0;
    qint16 rightmoves = 0;
    double leftnow = 0;
    double rightnow = 0;
    double leftbyonow = 0;
    double rightbyonow = 0;
};

// One player's fields, so that the steps done for either side are written once.
struct Player
{
    int side; // 0 left, 1 right
    double &time;
    double &byo;
    qint16 &byoon;
    qint16 &blink;
    qint16 *warn[3];
    qint16 *byowarn[3];
    qint16 &moves;
    double &now;
    double &byonow;
};

Player leftPlayer(ClockState &s);
Player rightPlayer(ClockState &s);

} // namespace gameclock
