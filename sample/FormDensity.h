// The sample form is laid out in pixels of a screen of 96 pixels per inch. On a denser screen
// every place and size grows with the screen, and the labels' font with them, so that the form
// shows at 144 pixels per inch everything it shows at 96.
#pragma once

#include "platform/basApi.h"

namespace cp::sample {

// A length of the 96-DPI layout on this screen.
int Scaled(int pixels);
// The labels' font: the stock GUI font at its size in points on this screen (made once, kept
// for the life of the process).
HFONT LabelFont();

}  // namespace cp::sample
