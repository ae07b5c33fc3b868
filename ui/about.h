#pragma once
// What the About box tells: the program and its version, its licence, and
// what it uses or carries that others made.
#include <QString>
#include <QStringList>

namespace ui {

// A line for each thing that others made: what it is, whose, under which
// licence. Every attribution the program owes goes here.
QStringList credits();

QString aboutText();

} // namespace ui
