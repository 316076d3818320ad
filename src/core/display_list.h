#pragma once

#include "core/chart_surface.h"

#include <QPoint>
#include <QString>

#include <variant>
#include <vector>

namespace brenlow {

// A closed, filled and outlined shape, in picture pixels.
struct DrawnPolygon
{
    std::vector<QPoint> Points;
    SurfaceColor Pen = 0;
    SurfaceColor Brush = 0;
    std::int32_t PenWidth = 1;
    std::int32_t PenStyle = PenSolid;
    std::int32_t BrushStyle = BrushSolid;
    std::int32_t PenMode = PenModeCopy;
};

// A text whose top-left lies at At (picture pixels), turned counter-clockwise by Angle.
struct DrawnText
{
    QPoint At;
    QString Text;
    float Angle = 0;
    QString FontName;
    double FontSize = 0; // points
    bool Bold = false;
    bool Transparent = false;
    SurfaceColor Box = 0; // the brush colour behind the text when not transparent
};

using DisplayItem = std::variant<DrawnPolygon, DrawnText>;

} // namespace brenlow
