#pragma once

#include <QRgb>

// The colours the picture and the window are made of, as screen pixels.
namespace Pixel {
inline const QRgb Grey = qRgb(0xC0, 0xC0, 0xC0);
inline const QRgb Dark = qRgb(0x40, 0x40, 0x40);
inline const QRgb White = qRgb(0xFF, 0xFF, 0xFF);
inline const QRgb Black = qRgb(0, 0, 0);
inline const QRgb Red = qRgb(0xFF, 0, 0);
inline const QRgb Green = qRgb(0, 0xFF, 0);
} // namespace Pixel
