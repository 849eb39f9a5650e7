#pragma once

#include <cstdint>
#include <span>

#include "services/dib.h"

namespace paginor {

// Decoders that turn the bytes of a picture file into a bitmap in an empty DIB: indexed pictures with
// their colour table (entries the file does not give stay black), pictures with transparency as 32 bits
// (blue, green, red, opacity), everything else as 24 bits. Each
// returns false for a file it cannot read or that is damaged, and may then leave a bitmap in the DIB
// for the caller to destroy; Failure and allocation failures may also leave them.

// Chooses the decoder by the file's signature; false for other formats.
// The kind of picture the bytes start like: "BMP", "GIF", "JPEG", "PNG", or nullptr for none of them.
const char* PictureKind(std::span<const uint8_t> bytes);
bool DecodePicture(std::span<const uint8_t> bytes, DIB& dib);

// Uncompressed BMP of 1, 4, 8, 16, 24 and 32 bits (with or without bit-field masks), and run-length
// compressed BMP of 4 and 8 bits, with the core or the 40, 52, 56, 108 or 124-byte header.
bool DecodeBmp(std::span<const uint8_t> bytes, DIB& dib);

// The first image of a GIF on its logical screen, at 1, 4 or 8 bits per pixel.
bool DecodeGif(std::span<const uint8_t> bytes, DIB& dib);

// A JPEG picture: greyscale as 8-bit with a grey colour table, colour as 24 bits.
bool DecodeJpeg(std::span<const uint8_t> bytes, DIB& dib);

// A PNG picture of any colour type and depth, interlaced or not, 16-bit samples scaled to 8 bits:
// palette pictures with their palette (1, 4 or 8 bits; 2-bit indices take 8), grey ones with a grey
// colour table, colour as 24 bits, and any picture with an alpha channel or a transparent colour or
// palette entry as 32 bits.
bool DecodePng(std::span<const uint8_t> bytes, DIB& dib);

}  // namespace paginor
