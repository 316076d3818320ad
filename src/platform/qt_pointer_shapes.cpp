#include "platform/qt_pointer_shapes.h"

#include "platform/cursor_file.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

namespace brenlow {
namespace {

// The standard icon pointer: a small filled square inside a square outline, on a 32 × 32
// cursor picture with the hotspot at the centre.
QCursor IconPointer()
{
    constexpr int side = 32;
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.fillRect(8, 8, 16, 16, Qt::black);
    p.fillRect(9, 9, 14, 14, Qt::white);
    p.fillRect(13, 13, 6, 6, Qt::black);
    p.end();
    return QCursor(picture, side / 2, side / 2);
}

} // namespace

QtPointerShapes::~QtPointerShapes()
{
    if (overriding_)
        QGuiApplication::restoreOverrideCursor();
}

void QtPointerShapes::SetShape(PointerShape shape)
{
    switch (shape) {
    case PointerShape::Default:
        if (overriding_)
            QGuiApplication::restoreOverrideCursor();
        overriding_ = false;
        current_.clear();
        return;
    case PointerShape::Arrow:
        return Apply(QCursor(Qt::ArrowCursor), QStringLiteral("arrow"));
    case PointerShape::ArrowQuestion:
        return Apply(QCursor(Qt::WhatsThisCursor), QStringLiteral("question"));
    case PointerShape::Icon:
        return Apply(IconPointer(), QStringLiteral("icon"));
    case PointerShape::OpenHand:
        return Apply(QCursor(Qt::OpenHandCursor), QStringLiteral("open hand"));
    case PointerShape::ClosedHand:
        return Apply(QCursor(Qt::ClosedHandCursor), QStringLiteral("closed hand"));
    case PointerShape::PointingHand:
        return Apply(QCursor(Qt::PointingHandCursor), QStringLiteral("pointing hand"));
    case PointerShape::Cross:
        return Apply(QCursor(Qt::CrossCursor), QStringLiteral("cross"));
    }
}

void QtPointerShapes::SetCustomShape(const QString &cursorFile, PointerShape fallback)
{
    auto loaded = loaded_.constFind(cursorFile);
    if (loaded == loaded_.constEnd()) {
        const std::optional<QCursor> cursor = LoadCursorFile(cursorFile);
        if (!cursor)
            return SetShape(fallback);
        loaded = loaded_.insert(cursorFile, *cursor);
    }
    Apply(*loaded, QStringLiteral("file:") + cursorFile);
}

void QtPointerShapes::Apply(const QCursor &cursor, const QString &key)
{
    if (overriding_ && key == current_)
        return;
    if (overriding_)
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
    overriding_ = true;
    current_ = key;
}

} // namespace brenlow
