#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace brenlow {

// A ".cur" file holding one 32 × 32 picture of 32 bits per pixel (colour with alpha, plus the
// AND mask older readers use): the image is scaled to 32 × 32 first; the hotspot is in the
// scaled picture's pixels and is kept inside it.
QByteArray EncodeCursorFile(const QImage &image, QPoint hotspot);

} // namespace brenlow
