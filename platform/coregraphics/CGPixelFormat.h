// The pixel layouts this stand-in draws and draws into, as cairo formats.
#pragma once

#include <CoreGraphics/CGImage.h>

#include <cairo.h>

#include <optional>

namespace CGStandIn {

// Cairo's image surfaces hold at most this many pixels a side.
constexpr size_t kMaxPixelsASide = 32767;

// The cairo format of 8-bit, 32-bit-pixel native ARGB, or none.
std::optional<cairo_format_t> cairoFormatFor (size_t bitsPerComponent, size_t bitsPerPixel,
                                              CGBitmapInfo bitmapInfo);

// Whether cairo can use rows of `bytesPerRow` bytes for `width` pixels.
bool isUsableRowLength (cairo_format_t format, size_t width, size_t bytesPerRow);

bool isUsableSize (size_t width, size_t height);

} // namespace CGStandIn
