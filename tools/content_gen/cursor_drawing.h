#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

namespace brenlow::content {

struct CursorDrawing
{
    QImage Image; // 32 x 32, ARGB32
    QPoint Hotspot;
};

// Reads a cursor drawing of "content/cursors": comment lines starting with '#', a line
// "hotspot X Y", then 32 rows of 32 characters: '.' transparent, '#' black, 'o' white,
// '-' grey. Throws std::runtime_error on anything else.
CursorDrawing ReadCursorDrawing(const QString &path);

} // namespace brenlow::content
