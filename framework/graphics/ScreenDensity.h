#pragma once
// The screen's density: how many pixels make a logical inch. Forms designed at one
// density are scaled to it as they load; pictures are chosen or resampled for it.

constexpr int DesignPixelsPerInch = 96;

// Pixels per logical inch of the screen, as the system reports it; 96 where it
// reports none (a display device context that cannot answer).
int ScreenPixelsPerInch();

// A length of Pixels at 96 pixels per inch, at the screen's density.
int ScaledToScreen(int Pixels);
