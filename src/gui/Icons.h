#pragma once

#include <QIcon>

// Small glyphs for the buttons that carry no caption, painted so that no image files need to ship.
namespace icons {
QIcon clover();  // the seed the user chooses, "Startzahl" on screen
QIcon bars();    // number frequencies
QIcon surface(); // frequencies year by year
} // namespace icons
