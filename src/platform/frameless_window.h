#pragma once

#include "platform/picture_button.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>

class QSizeGrip;

namespace brenlow {

// A program window without system frame or title bar. Its background picture draws the title
// band; a press in that band (4 <= y <= 39 view pixels, any button, not over a control) drags
// the window. Positions are reckoned in twips like every window position of the program, but
// held in 64-bit integers so that any desktop size fits.
class FramelessWindow : public QWidget
{
    Q_OBJECT
public:
    // clientSize in pixels; the window is created hidden.
    explicit FramelessWindow(QSize clientSize, QWidget *parent = nullptr);

    // First placements: the window's centre on the centre of the screen's available area, or
    // on the centre of another window.
    void PlaceCentredOnScreen();
    void PlaceCentredOver(const QWidget &owner);
    // Beside another window, on its screen (see BesidePlace).
    void PlaceBeside(const QWidget &owner, int clearTop = 0);

    // Shows the window modally over the whole program and returns once it has closed.
    void ShowModal();

    bool Moving() const { return moving; }

    // A window that may be resized: from its edges and from a size grip at its bottom-right
    // corner, down to minimum (pixels); a double-click on the title band fills the screen's
    // available area and a second one puts the window back.
    void AllowResizing(QSize minimum);
    bool Resizable() const { return resizable_; }
    void ToggleMaximised();
    bool Maximised() const { return maximised_; }
    // Pixels from an edge of a resizable window in which a press resizes it.
    static constexpr int ResizeBorder = 4;

    // Pixels from the window's top edge: a press at TitleBandTop < y < TitleBandBottom drags.
    static constexpr int TitleBandTop = 3;
    static constexpr int TitleBandBottom = 40;

Q_SIGNALS:
    void Closed();

protected:
    // The background picture, drawn by paint now and again whenever the colour scheme changes.
    void SetBackgroundPainter(std::function<QPixmap()> paint);
    // A picture button at its place in window pixels, with its tooltip.
    PictureButton *AddPictureButton(ButtonArt art, const QRect &geometry, const QString &tooltip);
    // Window-level handlers of the chrome buttons.
    void closebutton_Click();
    void minimise_Click();
    // Forgets any drag in progress (each window does this when it is loaded).
    void ClearDrag() { moving = false; }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Window left and top in twips, from its position in pixels.
    double LeftTwips() const;
    double TopTwips() const;

    // The edges a press at (x, y) of a resizable window grabs, none elsewhere.
    Qt::Edges EdgesAt(QPoint at) const;

    std::function<QPixmap()> paintBackground_;
    QPixmap background_;

    bool resizable_ = false;
    bool maximised_ = false;
    QRect restored_;           // the geometry a second double-click puts back
    Qt::Edges resizing_;       // the edges being dragged, none when no resize is under way
    QRect resizeFrom_;         // the geometry when the resize began
    QPointF resizePress_;      // the pointer on the screen when it began
    QPointer<QSizeGrip> grip_; // the resize handle of the bottom-right corner

    bool moving = false;
    std::int64_t oldleft = 0; // twips
    std::int64_t oldtop = 0;
    std::int64_t oldx = 0; // pointer on the screen when the drag began, twips
    std::int64_t oldy = 0;
    std::int64_t thisx = 0; // pointer on the screen at the latest move, twips
    std::int64_t thisy = 0;
};

// The size a resizable window opens at: wanted, within the screen's available area, and no
// smaller than minimum unless the area is.
QSize FittedWindowSize(QSize wanted, QSize minimum, QSize available);

// The top-left corner of a window of size beside the window owner (both in screen pixels,
// frames included), inside the screen's available area: right of owner, level with its top,
// when there is room; else left of it; else on the side with more room, as far out as the area
// lets it, and then over the owner but clearTop pixels below its top, so that the owner's
// controls there stay in reach. It is moved up as far as needed to end inside the area.
QPoint BesidePlace(const QRect &owner, QSize size, const QRect &available, int clearTop = 0);

// Background artwork of a frameless window: body, frame and a title band carrying the title,
// at the given size in pixels (the window's client size, so that it fills the window), in the
// colours of the scheme in use.
QPixmap PaintFramelessBackground(QSize size, const QString &title);

} // namespace brenlow
