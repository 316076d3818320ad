#include "platform/button_art.h"

#include "platform/house_style.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmapCache>

#include <algorithm>
#include <array>
#include <cmath>

namespace brenlow {
namespace {

// The marine palette: a navy face shading into teal, white artwork. At night a face of dark
// reds with red artwork, nothing brighter than the night's ink.
struct Colours
{
    QColor faceTop;
    QColor faceBottom;
    QColor border;
    QColor ink;    // the artwork
    QColor accent; // details drawn on the artwork (lens glass, paper lines)
    QColor light;  // the light line under a raised face's top edge
    QColor detail; // the printer's paper light
};

Colours DayColoursFor(ButtonLook look)
{
    const QColor navy = House::ColoursOf(ColourScheme::Day).Ink;
    const QColor detail(0x1b, 0x99, 0x8b);
    switch (look) {
    case ButtonLook::Pressed:
        return {QColor(0x07, 0x1a, 0x30),
                QColor(0x0e, 0x3f, 0x55),
                QColor(0x1b, 0x99, 0x8b),
                QColor(0xd4, 0xec, 0xf0),
                navy,
                QColor(255, 255, 255, 60),
                detail};
    case ButtonLook::Hover:
        return {QColor(0x2f, 0x8c, 0xa8),
                QColor(0x14, 0x53, 0x74),
                QColor(0xe6, 0xf7, 0xfa),
                QColor(0xff, 0xff, 0xff),
                navy,
                QColor(255, 255, 255, 120),
                detail};
    case ButtonLook::Normal:
        break;
    }
    return {
        QColor(0x1d, 0x4e, 0x75),  navy,  QColor(0x3f, 0xa7, 0xb5), QColor(0xf4, 0xfa, 0xfb), navy,
        QColor(255, 255, 255, 60), detail};
}

Colours NightColoursFor(ButtonLook look)
{
    const QColor ground(0x14, 0x03, 0x02);
    const QColor detail(0x70, 0x18, 0x10);
    switch (look) {
    case ButtonLook::Pressed:
        return {QColor(0x0c, 0x01, 0x01),
                QColor(0x24, 0x05, 0x03),
                QColor(0x90, 0x2a, 0x1c),
                QColor(0xb0, 0x34, 0x26),
                ground,
                QColor(0xd8, 0x4a, 0x36, 40),
                detail};
    case ButtonLook::Hover:
        return {QColor(0x48, 0x0e, 0x08),
                QColor(0x24, 0x05, 0x03),
                QColor(0xc0, 0x3a, 0x2a),
                QColor(0xe0, 0x52, 0x3c),
                ground,
                QColor(0xd8, 0x4a, 0x36, 70),
                detail};
    case ButtonLook::Normal:
        break;
    }
    return {QColor(0x34, 0x09, 0x05),
            QColor(0x18, 0x03, 0x02),
            QColor(0x6a, 0x16, 0x0e),
            QColor(0xc8, 0x3c, 0x2c),
            ground,
            QColor(0xd8, 0x4a, 0x36, 40),
            detail};
}

Colours ColoursFor(ButtonLook look, ColourScheme scheme)
{
    return scheme == ColourScheme::Night ? NightColoursFor(look) : DayColoursFor(look);
}

QPen UnitPen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The artwork below is drawn in a unit square (0..1 both ways) that the painter maps onto
// the button's icon area, so one drawing serves every button size.

void DrawMagnifier(QPainter &p, const Colours &c, bool plus)
{
    QColor glass = c.accent;
    glass.setAlpha(90);
    p.setBrush(glass);
    p.setPen(UnitPen(c.ink, 0.09));
    p.drawEllipse(QPointF(0.42, 0.42), 0.29, 0.29);
    p.setPen(UnitPen(c.ink, 0.16));
    p.drawLine(QPointF(0.65, 0.65), QPointF(0.9, 0.9));
    p.setPen(UnitPen(c.ink, 0.08));
    p.drawLine(QPointF(0.28, 0.42), QPointF(0.56, 0.42));
    if (plus)
        p.drawLine(QPointF(0.42, 0.28), QPointF(0.42, 0.56));
}

void DrawHand(QPainter &p, const Colours &c)
{
    constexpr std::array<qreal, 4> fingerTops = {0.2, 0.1, 0.13, 0.24};
    constexpr qreal fingerLeft = 0.3;
    constexpr qreal fingerPitch = 0.13;
    constexpr qreal fingerWidth = 0.11;
    QPainterPath hand;
    hand.addRoundedRect(QRectF(fingerLeft, 0.44, 4 * fingerPitch - 0.02, 0.48), 0.13, 0.13);
    for (size_t i = 0; i < fingerTops.size(); ++i) {
        QPainterPath finger;
        finger.addRoundedRect(QRectF(fingerLeft + fingerPitch * qreal(i), fingerTops[i],
                                     fingerWidth, 0.62 - fingerTops[i]),
                              fingerWidth / 2, fingerWidth / 2);
        hand = hand.united(finger);
    }
    QPainterPath thumbLine(QPointF(0.36, 0.78));
    thumbLine.lineTo(QPointF(0.12, 0.5));
    QPainterPathStroker thumb;
    thumb.setWidth(0.13);
    thumb.setCapStyle(Qt::RoundCap);
    hand = hand.united(thumb.createStroke(thumbLine)).simplified();
    p.setBrush(c.ink);
    p.setPen(UnitPen(c.accent, 0.035));
    p.drawPath(hand);
    // The gaps between the fingers, down to where they meet the palm.
    for (size_t i = 1; i < fingerTops.size(); ++i) {
        const qreal x = fingerLeft + fingerPitch * qreal(i) - (fingerPitch - fingerWidth) / 2;
        const qreal top = std::max(fingerTops[i - 1], fingerTops[i]) + 0.06;
        p.drawLine(QPointF(x, top), QPointF(x, 0.58));
    }
}

void DrawBack(QPainter &p, const Colours &c)
{
    p.setPen(UnitPen(c.ink, 0.05));
    p.setBrush(c.ink);
    p.drawRect(QRectF(0.14, 0.2, 0.1, 0.6));
    const QPointF triangle[] = {{0.84, 0.18}, {0.84, 0.82}, {0.33, 0.5}};
    p.drawPolygon(triangle, 3);
}

void DrawClock(QPainter &p, const Colours &c)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(UnitPen(c.ink, 0.08));
    p.drawEllipse(QPointF(0.5, 0.5), 0.41, 0.41);
    p.setPen(UnitPen(c.ink, 0.06));
    for (int quarter = 0; quarter < 4; ++quarter) {
        const qreal angle = quarter * M_PI / 2;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        p.drawLine(QPointF(0.5, 0.5) + direction * 0.29, QPointF(0.5, 0.5) + direction * 0.35);
    }
    p.setPen(UnitPen(c.ink, 0.08));
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, 0.24));  // minutes: on the hour
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.68, 0.58)); // hours
}

void DrawPlay(QPainter &p, const Colours &c)
{
    p.setPen(UnitPen(c.ink, 0.06));
    p.setBrush(c.ink);
    const QPointF triangle[] = {{0.27, 0.15}, {0.27, 0.85}, {0.87, 0.5}};
    p.drawPolygon(triangle, 3);
}

void DrawStop(QPainter &p, const Colours &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c.ink);
    p.drawRoundedRect(QRectF(0.2, 0.2, 0.6, 0.6), 0.07, 0.07);
}

void DrawPrinter(QPainter &p, const Colours &c)
{
    p.setPen(UnitPen(c.accent, 0.04));
    p.setBrush(c.ink);
    p.drawRect(QRectF(0.27, 0.1, 0.46, 0.3));
    p.drawRoundedRect(QRectF(0.07, 0.34, 0.86, 0.38), 0.08, 0.08);
    p.drawRect(QRectF(0.27, 0.58, 0.46, 0.34));
    p.setPen(UnitPen(c.accent, 0.04));
    p.drawLine(QPointF(0.35, 0.7), QPointF(0.65, 0.7));
    p.drawLine(QPointF(0.35, 0.8), QPointF(0.6, 0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(c.detail);
    p.drawEllipse(QPointF(0.8, 0.45), 0.04, 0.04);
}

void DrawGear(QPainter &p, const Colours &c)
{
    constexpr int teeth = 8;
    constexpr qreal outer = 0.46;
    constexpr qreal root = 0.33;
    QPolygonF outline;
    for (int i = 0; i < teeth; ++i) {
        const qreal centre = i * 360.0 / teeth;
        for (const auto &[offset, radius] : {std::pair{-15.0, root}, std::pair{-8.0, outer},
                                             std::pair{8.0, outer}, std::pair{15.0, root}}) {
            const qreal angle = (centre + offset) * M_PI / 180;
            outline.append(QPointF(0.5 + radius * std::sin(angle), 0.5 - radius * std::cos(angle)));
        }
    }
    QPainterPath gear;
    gear.addPolygon(outline);
    gear.closeSubpath();
    gear.addEllipse(QPointF(0.5, 0.5), 0.13, 0.13);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(c.ink);
    p.drawPath(gear);
}

void DrawQuestionMark(QPainter &p, const Colours &c)
{
    QPainterPath hook(QPointF(0.31, 0.33));
    // From the left of the bowl clockwise over the top down to its lower right, then the stem.
    hook.arcTo(QRectF(0.3, 0.12, 0.4, 0.4), 168, -228);
    hook.lineTo(QPointF(0.5, 0.58));
    hook.lineTo(QPointF(0.5, 0.66));
    p.setBrush(Qt::NoBrush);
    p.setPen(UnitPen(c.ink, 0.13));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(c.ink);
    p.drawEllipse(QPointF(0.5, 0.85), 0.08, 0.08);
}

void DrawMinimise(QPainter &p, const Colours &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c.ink);
    p.drawRoundedRect(QRectF(0.16, 0.62, 0.68, 0.18), 0.04, 0.04);
}

void DrawCross(QPainter &p, const Colours &c)
{
    p.setPen(UnitPen(c.ink, 0.16));
    p.drawLine(QPointF(0.24, 0.24), QPointF(0.76, 0.76));
    p.drawLine(QPointF(0.76, 0.24), QPointF(0.24, 0.76));
}

void DrawTick(QPainter &p, const Colours &c)
{
    QPainterPath tick(QPointF(0.13, 0.55));
    tick.lineTo(QPointF(0.4, 0.8));
    tick.lineTo(QPointF(0.88, 0.2));
    p.setBrush(Qt::NoBrush);
    p.setPen(UnitPen(c.ink, 0.15));
    p.drawPath(tick);
}

void DrawGlobe(QPainter &p, const Colours &c)
{
    constexpr qreal radius = 0.42;
    p.setBrush(Qt::NoBrush);
    p.setPen(UnitPen(c.ink, 0.07));
    p.drawEllipse(QPointF(0.5, 0.5), radius, radius);
    p.setPen(UnitPen(c.ink, 0.05));
    p.drawEllipse(QPointF(0.5, 0.5), 0.17, radius);
    p.drawLine(QPointF(0.5, 0.5 - radius), QPointF(0.5, 0.5 + radius));
    p.drawLine(QPointF(0.5 - radius, 0.5), QPointF(0.5 + radius, 0.5));
    for (const qreal dy : {-0.21, 0.21}) {
        const qreal halfChord = std::sqrt(radius * radius - dy * dy);
        p.drawLine(QPointF(0.5 - halfChord, 0.5 + dy), QPointF(0.5 + halfChord, 0.5 + dy));
    }
}

// A route: three legs between four waypoints, the waypoints ringed, as the planner draws its
// track over the chart. Bold, so that it reads on the small button of the title band.
void DrawRoute(QPainter &p, const Colours &c)
{
    const QPointF points[] = {{0.06, 0.8}, {0.36, 0.28}, {0.64, 0.72}, {0.94, 0.2}};
    p.setPen(UnitPen(c.ink, 0.13));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points, 4);
    p.setPen(UnitPen(c.ink, 0.08));
    p.setBrush(c.accent);
    for (const QPointF &point : points)
        p.drawEllipse(point, 0.12, 0.12);
}

// Text in the largest bold size (in view pixels) that fits the box, at most 62 % of its height.
void DrawFittedText(QPainter &p, const QRectF &box, const QString &text, const QColor &ink)
{
    constexpr int smallestPixels = 6;
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    int pixels = std::max(smallestPixels, int(box.height() * 0.62));
    font.setPixelSize(pixels);
    while (pixels > smallestPixels && QFontMetricsF(font).horizontalAdvance(text) > box.width()) {
        --pixels;
        font.setPixelSize(pixels);
    }
    p.setFont(font);
    p.setPen(ink);
    p.drawText(box, Qt::AlignCenter, text);
}

void DrawUnitArt(QPainter &p, ButtonArt art, const Colours &c)
{
    switch (art) {
    case ButtonArt::ZoomIn:
        return DrawMagnifier(p, c, true);
    case ButtonArt::ZoomOut:
        return DrawMagnifier(p, c, false);
    case ButtonArt::Hand:
        return DrawHand(p, c);
    case ButtonArt::Back:
        return DrawBack(p, c);
    case ButtonArt::Forward:
        // The back artwork mirrored left to right.
        p.translate(1, 0);
        p.scale(-1, 1);
        return DrawBack(p, c);
    case ButtonArt::Now:
        return DrawClock(p, c);
    case ButtonArt::Play:
        return DrawPlay(p, c);
    case ButtonArt::Stop:
        return DrawStop(p, c);
    case ButtonArt::Print:
    case ButtonArt::PrintPages:
        return DrawPrinter(p, c);
    case ButtonArt::Options:
        return DrawGear(p, c);
    case ButtonArt::Help:
        return DrawQuestionMark(p, c);
    case ButtonArt::Minimise:
        return DrawMinimise(p, c);
    case ButtonArt::Close:
        return DrawCross(p, c);
    case ButtonArt::Accept:
        return DrawTick(p, c);
    case ButtonArt::Link:
        return DrawGlobe(p, c);
    case ButtonArt::Route:
        return DrawRoute(p, c);
    case ButtonArt::Exit:
    case ButtonArt::Save:
    case ButtonArt::Cancel:
    case ButtonArt::Open:
    case ButtonArt::Clear:
    case ButtonArt::TidePrediction:
    case ButtonArt::UsePredicted:
    case ButtonArt::SavePictures:
        break; // words only
    }
}

QString WordsOf(ButtonArt art)
{
    switch (art) {
    case ButtonArt::Accept:
        return QStringLiteral("I Agree");
    case ButtonArt::Exit:
        return QStringLiteral("Exit");
    case ButtonArt::Save:
        return QStringLiteral("Save");
    case ButtonArt::Cancel:
        return QStringLiteral("Cancel");
    case ButtonArt::PrintPages:
        return QStringLiteral("Print");
    case ButtonArt::Open:
        return QStringLiteral("Open");
    case ButtonArt::Clear:
        return QStringLiteral("Clear");
    case ButtonArt::TidePrediction:
        return QStringLiteral("Tide prediction\u2026");
    case ButtonArt::UsePredicted:
        return QStringLiteral("Use predicted");
    case ButtonArt::SavePictures:
        return QStringLiteral("Save pictures");
    default:
        return {};
    }
}

// Maps the unit square onto a square of the given side centred on `centre` (view pixels).
void MapUnitSquare(QPainter &p, QPointF centre, qreal side)
{
    p.translate(centre - QPointF(side / 2, side / 2));
    p.scale(side, side);
}

// Draws the artwork inside the face (view pixels). Wide buttons with words put a small icon,
// if any, on the left of the words; other buttons centre the icon at 70 % of the face height.
void DrawArt(QPainter &p, ButtonArt art, const QRectF &face, const Colours &c)
{
    const QString words = WordsOf(art);
    const qreal iconSide = std::min(face.width(), face.height()) * 0.7;
    if (words.isEmpty()) {
        p.save();
        MapUnitSquare(p, face.center(), iconSide);
        DrawUnitArt(p, art, c);
        p.restore();
        return;
    }
    QRectF textBox = face.adjusted(face.height() * 0.2, 0, -face.height() * 0.2, 0);
    const bool iconBesideWords = art == ButtonArt::Accept || art == ButtonArt::PrintPages;
    if (iconBesideWords && face.width() >= 2 * face.height()) {
        const qreal side = face.height() * 0.55;
        p.save();
        MapUnitSquare(p, QPointF(face.left() + face.height() * 0.2 + side / 2, face.center().y()),
                      side);
        DrawUnitArt(p, art, c);
        p.restore();
        textBox.setLeft(face.left() + face.height() * 0.3 + side);
    } else if (art == ButtonArt::Accept) {
        p.save();
        MapUnitSquare(p, face.center(), iconSide);
        DrawUnitArt(p, art, c);
        p.restore();
        return;
    }
    DrawFittedText(p, textBox, words, c.ink);
}

QPixmap RenderPicture(ButtonArt art, ButtonLook look, QSize size, qreal pixelRatio,
                      ColourScheme scheme)
{
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    if (size.isEmpty())
        return pixmap;
    const Colours colours = ColoursFor(look, scheme);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF face = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::max(2.0, std::min(face.width(), face.height()) * 0.2);
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    shade.setColorAt(0, colours.faceTop);
    shade.setColorAt(1, colours.faceBottom);
    p.setPen(QPen(colours.border, 1));
    p.setBrush(shade);
    p.drawRoundedRect(face, radius, radius);
    if (look == ButtonLook::Pressed) {
        // A shadow along the top inner edge: the face is pushed in.
        p.setPen(QPen(QColor(0, 0, 0, 110), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
        p.translate(1, 1);
    } else {
        // A light line under the top edge: the face stands out.
        p.setPen(QPen(colours.light, 1));
        p.drawLine(QPointF(face.left() + radius, face.top() + 1.5),
                   QPointF(face.right() - radius, face.top() + 1.5));
    }
    DrawArt(p, art, face, colours);
    return pixmap;
}

} // namespace

QPixmap ButtonPicture(ButtonArt art, ButtonLook look, QSize size, qreal pixelRatio)
{
    const ColourScheme scheme = HouseStyle::Instance().Scheme();
    const QString key = QStringLiteral("brenlow-button/%1/%2/%3x%4@%5/%6")
                            .arg(int(art))
                            .arg(int(look))
                            .arg(size.width())
                            .arg(size.height())
                            .arg(pixelRatio)
                            .arg(int(scheme));
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = RenderPicture(art, look, size, pixelRatio, scheme);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace brenlow
