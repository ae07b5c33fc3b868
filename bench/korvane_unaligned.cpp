// The clock with its ticks left where the timer puts them, every 200 ms from
// whenever the clock was started: what bench/displaylag.sh compares the
// shipped clock with.
#include "ui/app.h"

int main(int argc, char *argv[])
{
    ui::AppOptions options;
    options.alignTicks = false;
    return ui::runApp(argc, argv, options);
}
