#include "app/disclaimer.h"

#include "core/event_pump.h"
#include "core/program_info.h"
#include "platform/house_style.h"

#include <QPainter>

#include <utility>

namespace brenlow {
namespace {

constexpr char TermsHeading[] = "Before you continue";
constexpr char TermsText[] =
    "The tidal stream data shown by Brenlow are illustrative only and are NOT FOR NAVIGATION.\n\n"
    "Brenlow does not replace the official tidal stream atlases, tide tables, charts or "
    "notices to mariners, which must be consulted for any passage.\n\n"
    "You use this program at your own risk: its makers accept no liability for any loss, "
    "damage or injury arising from its use.";

} // namespace

Disclaimer::Disclaimer(std::function<void()> createMainWindow, QWidget *parent)
    : FramelessWindow(ClientSize, parent), createMainWindow_(std::move(createMainWindow))
{
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    SetBackgroundPainter(&PaintDisclaimerBackground);

    ARButton1 = AddPictureButton(ButtonArt::Accept, QRect(239, 214, 97, 44),
                                 QStringLiteral("Accept the terms and continue"));
    saveandexit =
        AddPictureButton(ButtonArt::Exit, QRect(58, 224, 46, 21), QStringLiteral("Exit Brenlow"));
    connect(ARButton1, &QAbstractButton::clicked, this, &Disclaimer::ARButton1_Click);
    connect(saveandexit, &QAbstractButton::clicked, this, &Disclaimer::saveandexit_Click);
    PlaceCentredOnScreen();
    ClearDrag();
}

void Disclaimer::ARButton1_Click()
{
    // The terms are accepted once: a click that waited while a slow start-up ran must not run
    // it again.
    if (accepted_)
        return;
    accepted_ = true;
    ARButton1->setEnabled(false);
    // The start-up sequence, with any message box of its own, runs while the terms are still
    // on the screen.
    if (createMainWindow_)
        createMainWindow_();
    hide();
    PumpEventsOnce();
    close();
}

void Disclaimer::saveandexit_Click()
{
    close();
}

QPixmap PaintDisclaimerBackground()
{
    QPixmap picture = PaintFramelessBackground(
        Disclaimer::ClientSize, ProgramTitleText() + QStringLiteral(" \u2013 Disclaimer"));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QFont heading = House::Font(14, true);
    painter.setFont(heading);
    painter.setPen(House::Now().Ink);
    painter.drawText(QRect(24, 52, 339, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(TermsHeading));

    const QFont body = House::Font(11);
    painter.setFont(body);
    painter.setPen(House::Now().Text);
    painter.drawText(QRect(24, 78, 339, 128), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QString::fromLatin1(TermsText));

    return picture;
}

} // namespace brenlow
