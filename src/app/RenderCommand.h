#pragma once
// kurvon --render OUT FILE [--size WxH] [--channels i,j,...] [--window FIRST:LAST]
//               [--cursor X,Y] [--drag A:B] [--seed N] [--x CH] [--literal]
// Loads FILE, ticks the channels in the order given (the last one primary), applies the x
// channel, the view window, the cursor, a drag in progress from A to B and the colour seed, and
// writes the picture of a client area of W x H (default 1000 x 600) as a BMP or a PNG, by OUT's
// suffix: the real view, never shown on a screen, with the chart on the left and the channel
// list in the 300-pixel strip, grabbed as Save picture grabs it. Without a running QApplication
// it starts an offscreen one.

#include <ostream>
#include <string>
#include <vector>

namespace kurvon {

// args: the arguments after the program name, starting with "--render". 0 on success;
// otherwise one line on err and 1 (load or write failure) or 2 (bad arguments).
int RunRenderCommand(const std::vector<std::string>& args, std::ostream& err);

} // namespace kurvon
