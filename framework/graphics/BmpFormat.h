#pragma once
// The .bmp file format and the packed DIB of BITMAP resources. Decoding checks every
// size and offset against the data before it reads, and raises EInvalidGraphic
// "Bitmap image is not valid: <reason>" for anything malformed or unsupported.
#include "framework/core/TypeInfo.h"
#include "framework/graphics/DibImage.h"

#include <cstddef>
#include <cstdint>

// A whole .bmp file: file header, info header, colour table, pixels. Uncompressed
// 1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down.
TDibImage DecodeBmpFile(const uint8_t* data, size_t size);
// A BITMAP resource: the info header, its colour table and the pixels right after it.
TDibImage DecodePackedDib(const uint8_t* data, size_t size);
// A bottom-up .bmp file in the image's own format, with its colour table.
TBytes EncodeBmpFile(const TDibImage& image);
