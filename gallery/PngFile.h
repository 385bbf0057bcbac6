#pragma once
// A picture as a PNG file: 8-bit RGB, the pixel data in stored (uncompressed)
// deflate blocks, which every PNG reader takes. What the previewer's screenshots are
// saved as.
#include "framework/graphics/Bitmap.h"

#include <string>

std::string EncodePng(const TBitmap& bitmap);
