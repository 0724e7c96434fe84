// The pictures of the front panel and the About box, drawn by code.
#pragma once

#include <vector>

#include "Canvas.h"

namespace artwork {

constexpr int kFaceWidth = 794, kFaceHeight = 125;

struct Place {
  int x, y, w, h;
};

// How the link pictures light a socket.
enum class Lit { kNone, kGreen, kOrange };

// Places of the link pictures on the face: the ten copper ports in port order, then the two
// combo (SFP) ports.
std::vector<Place> CopperPictures();
std::vector<Place> ComboPictures();

// Places of the LED host panels (power, console, ports 1-8, then the four of ports 9/10 and the
// combo ports), each 5 x 5.
std::vector<Place> LedPanels();

// The device's face; with kGreen or kOrange every socket is drawn lit, which is where the link
// pictures are cut from.
Image DrawFace(Lit lit);

// The About box icon of the 10-port or 16-port model, 32 x 32 on the dialog's face colour.
Image DrawModelIcon(int ports);

}  // namespace artwork
