#include "platform/house_style.h"

#include <QApplication>

#include <algorithm>
#include <utility>

namespace brenlow {
namespace House {
namespace {

// By day: navy ink and title bands on pale blue-grey bodies.
const Colours DaySet{
    .Ink{0x0E, 0x2A, 0x47},
    .Text{0x20, 0x20, 0x20},
    .Rule{0x9F, 0xBD, 0xD3},
    .BandTop{0x1F, 0x4E, 0x79},
    .BandBottom{0x0E, 0x2A, 0x47},
    .ToolBandTop{0x1F, 0x6F, 0x8B},
    .BandRule{0x6F, 0xB7, 0xE0},
    .TitleInk{0xFF, 0xFF, 0xFF},
    .Frame{0x0E, 0x2A, 0x47},
    .Panel{0xE4, 0xEE, 0xF3},
    .BodyTop{0xF4, 0xF8, 0xFB},
    .BodyBottom{0xD6, 0xE4, 0xEE},
    .BoxFrame{0x1F, 0x4E, 0x79},
    .BoxFace{0xFF, 0xFF, 0xFF},
    .FixedFace{0xDD, 0xE6, 0xEC},
    .Tick{0x14, 0x7A, 0x8C},
    .Alert{0xFF, 0x00, 0x00},
    .AlertGround{0xFF, 0xFF, 0xFF},
    .KeyGround{255, 255, 255, 235},
};

// At night: nothing brighter than a dim red, on black. Ink is a few times as light as the
// ground, enough to read by eyes adapted to the dark.
const Colours NightSet{
    .Ink{0xC8, 0x3C, 0x2C},
    .Text{0xB0, 0x34, 0x26},
    .Rule{0x50, 0x12, 0x0C},
    .BandTop{0x3C, 0x0A, 0x06},
    .BandBottom{0x1C, 0x03, 0x02},
    .ToolBandTop{0x44, 0x0C, 0x07},
    .BandRule{0x6A, 0x16, 0x0E},
    .TitleInk{0xD8, 0x4A, 0x36},
    .Frame{0x5A, 0x14, 0x0C},
    .Panel{0x10, 0x03, 0x02},
    .BodyTop{0x14, 0x04, 0x03},
    .BodyBottom{0x08, 0x01, 0x01},
    .BoxFrame{0xA0, 0x30, 0x22},
    .BoxFace{0x1C, 0x04, 0x03},
    .FixedFace{0x30, 0x08, 0x06},
    .Tick{0xE0, 0x50, 0x3A},
    .Alert{0xD0, 0x30, 0x20},
    .AlertGround{0x0C, 0x01, 0x01},
    .KeyGround{0x0C, 0x02, 0x01, 235},
};

} // namespace

const Colours &ColoursOf(ColourScheme scheme)
{
    return scheme == ColourScheme::Night ? NightSet : DaySet;
}

const Colours &Now()
{
    return ColoursOf(HouseStyle::Instance().Scheme());
}

bool IsNight()
{
    return HouseStyle::Instance().Scheme() == ColourScheme::Night;
}

QColor InkOnGround(const QColor &dayInk, ColourScheme scheme)
{
    if (scheme == ColourScheme::Day)
        return dayInk;
    // Black text becomes the night's brightest ink, a mid-tone a dimmer one.
    const double darkness = 1.0 - dayInk.lightnessF();
    const QColor &dim = NightSet.Rule;
    const QColor &bright = NightSet.TitleInk;
    const auto mix = [darkness](int from, int to) {
        return std::clamp(int(from + (to - from) * (0.35 + 0.65 * darkness) + 0.5), 0, 255);
    };
    return QColor(mix(dim.red(), bright.red()), mix(dim.green(), bright.green()),
                  mix(dim.blue(), bright.blue()));
}

QFont Font(int pixelSize, bool bold)
{
    // "Sans Serif" resolves through fontconfig to the system's sans serif face.
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace House

HouseStyle &HouseStyle::Instance()
{
    static HouseStyle style;
    return style;
}

void HouseStyle::Follow(QObject *owner, std::function<void()> apply)
{
    apply();
    QObject::connect(&Instance(), &HouseStyle::SchemeChanged, owner,
                     [apply = std::move(apply)] { apply(); });
}

QPalette HouseStyle::NightPalette()
{
    const House::Colours &night = House::ColoursOf(ColourScheme::Night);
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, const QColor &colour) {
        palette.setColor(role, colour);
    };
    set(QPalette::Window, night.BodyTop);
    set(QPalette::WindowText, night.Ink);
    set(QPalette::Base, QColor(0x2C, 0x08, 0x05));
    set(QPalette::AlternateBase, QColor(0x34, 0x0A, 0x06));
    set(QPalette::Text, night.Ink);
    set(QPalette::PlaceholderText, night.Rule);
    set(QPalette::Button, night.BandBottom);
    set(QPalette::ButtonText, night.Ink);
    set(QPalette::BrightText, night.TitleInk);
    set(QPalette::ToolTipBase, night.BodyTop);
    set(QPalette::ToolTipText, night.Ink);
    set(QPalette::Highlight, QColor(0x5A, 0x12, 0x0A));
    set(QPalette::HighlightedText, night.TitleInk);
    set(QPalette::Link, night.TitleInk);
    set(QPalette::LinkVisited, night.Text);
    set(QPalette::Light, QColor(0x50, 0x12, 0x0C));
    set(QPalette::Midlight, QColor(0x38, 0x0C, 0x08));
    set(QPalette::Mid, QColor(0x28, 0x08, 0x05));
    set(QPalette::Dark, QColor(0x14, 0x03, 0x02));
    set(QPalette::Shadow, QColor(0x00, 0x00, 0x00));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, night.Rule);
    return palette;
}

void HouseStyle::SetScheme(ColourScheme scheme)
{
    if (scheme == scheme_)
        return;
    scheme_ = scheme;
    // By day the platform's own palette: a palette that sets no role gives it back.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr)
        QApplication::setPalette(scheme == ColourScheme::Night ? NightPalette() : QPalette());
    Q_EMIT SchemeChanged(scheme);
}

} // namespace brenlow
