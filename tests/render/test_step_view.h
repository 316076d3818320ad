#pragma once

#include "core/app_state.h"
#include "core/step_view.h"
#include "platform/recording_surface.h"
#include "platform/surface_painter.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace brenlow::test {

// The main window's three time labels as plain captions, starting as the window shows them
// before the first draw.
class CaptionLabels : public TimeLabels
{
public:
    void SetShowingHw(const QString &caption) override { ShowingHw = caption; }
    void SetShowingTime(const QString &caption) override { ShowingTime = caption; }
    void SetHighWater(const QString &caption) override { HighWater = caption; }

    QString ShowingHw = QStringLiteral("+3.5");
    QString ShowingTime = QStringLiteral("00:00:00");
    QString HighWater = QStringLiteral("00:00:00");
};

// A real chart surface, without a view, that notes its loads in a shared log.
class LoggingSurface : public RecordingSurface
{
public:
    explicit LoggingSurface(QStringList &log) : log_(log) { }
    void LoadImageFile(const QString &path) override
    {
        log_.append(QStringLiteral("load"));
        RecordingSurface::LoadImageFile(path);
    }

private:
    QStringList &log_;
};

// The main window's side of showing a step, around a real surface; the please-wait window
// is noted in the log.
class TestStepView : public StepView
{
public:
    ImageSurface &Surface() override { return surface; }
    TimeLabels &Labels() override { return labels; }
    bool IsShown() const override { return shown; }
    void ShowPleaseWait() override { log.append(QStringLiteral("show please-wait")); }
    void ClosePleaseWait() override { log.append(QStringLiteral("close please-wait")); }
    void StepDrawn() override { ++drawn; }

    bool shown = true;
    int drawn = 0;
    QStringList log;
    LoggingSurface surface{log};
    CaptionLabels labels;
};

// A plain picture of the given size in picture pixels, saved as a BMP file.
inline void WriteBlankPicture(const QString &path, int width, int height, QColor color = Qt::white)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    image.save(path, "BMP");
}

// A station whose picture position is (x, y) with unit chart scales, the same stream at every
// step.
inline StationRecord SteadyRecord(double x, double y, std::int32_t direction, double rate,
                                  double height)
{
    StationRecord station;
    station.ChartX = x;
    station.ChartY = y;
    for (int s = 1; s <= StepCount; ++s) {
        station.Rate[s] = rate;
        station.Direction[s] = direction;
        station.RateHeight[s] = height;
    }
    return station;
}

// A chart whose units are picture pixels, holding one station at (x, y) that runs at rate in
// direction at every step, referred to 4.3 m, with a one-column rate table whose first line
// is lineRate.
inline void SetOneStationChart(AppState &state, double x, double y, double rate,
                               std::int32_t direction, double lineRate)
{
    state.ChartScaleX = 1;
    state.ChartScaleY = 1;
    state.RateTableColumns = 1;
    state.RateTable[1][0] = 4.3;
    state.RateTable[1][1] = lineRate;
    state.StationTable = {StationRecord{}, SteadyRecord(x, y, direction, rate, 4.3)};
}

} // namespace brenlow::test
