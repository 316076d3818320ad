#include "platform/house_style.h"

namespace brenlow::House {

QFont Font(int pixelSize, bool bold)
{
    // "Sans Serif" resolves through fontconfig to the system's sans serif face.
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace brenlow::House
