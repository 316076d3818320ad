#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace brenlow::test {

// The application-wide pointer shape the program set; CustomCursor stands for the system's own.
inline Qt::CursorShape ShownShape()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::CustomCursor;
}

} // namespace brenlow::test
