#include "coastline.h"

#include "source_lines.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace brenlow::content {

namespace {

constexpr double SamePointDegrees = 1e-7;
constexpr double OnBorderDegrees = 1e-6;

using Chain = std::vector<GeoPoint>;

bool Same(GeoPoint a, GeoPoint b)
{
    return std::abs(a.Lon - b.Lon) < SamePointDegrees && std::abs(a.Lat - b.Lat) < SamePointDegrees;
}

std::vector<Chain> ReadSegments(const QString &path)
{
    std::vector<Chain> segments;
    for (const SourceLine &source : ReadSourceLines(path)) {
        const QString &line = source.Text;
        if (line.startsWith(QLatin1Char('>'))) {
            segments.emplace_back();
            continue;
        }
        const QStringList parts = line.split(QRegularExpression(QStringLiteral("\\s+")));
        bool okLon = false;
        bool okLat = false;
        const double lon = parts.value(0).toDouble(&okLon);
        const double lat = parts.value(1).toDouble(&okLat);
        if (parts.size() != 2 || !okLon || !okLat || segments.empty())
            throw LineError(path, source.Number);
        segments.back().push_back({lon, lat});
    }
    std::erase_if(segments, [](const Chain &c) { return c.size() < 2; });
    return segments;
}

// Joins chains that meet end to start until no two do.
std::vector<Chain> JoinChains(std::vector<Chain> chains)
{
    bool joined = true;
    while (joined) {
        joined = false;
        for (std::size_t i = 0; i < chains.size() && !joined; ++i) {
            if (Same(chains[i].front(), chains[i].back()))
                continue;
            for (std::size_t j = 0; j < chains.size(); ++j) {
                if (i == j || Same(chains[j].front(), chains[j].back()))
                    continue;
                if (Same(chains[i].back(), chains[j].front())) {
                    chains[i].insert(chains[i].end(), chains[j].begin() + 1, chains[j].end());
                    chains.erase(chains.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                    break;
                }
            }
        }
    }
    return chains;
}

// Position along the border, counter-clockwise from the south-west corner, in degrees of
// perimeter: south edge eastwards, east edge northwards, north edge westwards, west edge
// southwards.
double BorderPosition(GeoPoint p, const Region &r)
{
    const double width = r.East - r.West;
    const double height = r.North - r.South;
    if (std::abs(p.Lat - r.South) < OnBorderDegrees)
        return p.Lon - r.West;
    if (std::abs(p.Lon - r.East) < OnBorderDegrees)
        return width + (p.Lat - r.South);
    if (std::abs(p.Lat - r.North) < OnBorderDegrees)
        return width + height + (r.East - p.Lon);
    if (std::abs(p.Lon - r.West) < OnBorderDegrees)
        return 2 * width + height + (r.North - p.Lat);
    return -1;
}

// Corners passed when walking counter-clockwise from border position a to b.
std::vector<GeoPoint> CornersBetween(double a, double b, const Region &r)
{
    const double width = r.East - r.West;
    const double height = r.North - r.South;
    const double perimeter = 2 * (width + height);
    const std::pair<double, GeoPoint> corners[] = {
        {width, {r.East, r.South}},
        {width + height, {r.East, r.North}},
        {2 * width + height, {r.West, r.North}},
        {perimeter, {r.West, r.South}},
    };
    if (b <= a)
        b += perimeter;
    std::vector<GeoPoint> passed;
    for (int lap = 0; lap < 2; ++lap)
        for (const auto &[position, corner] : corners) {
            const double at = position + lap * perimeter;
            if (at > a && at < b)
                passed.push_back(corner);
        }
    return passed;
}

std::vector<LandPolygon> CloseAlongBorder(const std::vector<Chain> &open, const Region &r)
{
    std::vector<double> startAt;
    std::vector<double> endAt;
    for (const Chain &c : open) {
        startAt.push_back(BorderPosition(c.front(), r));
        endAt.push_back(BorderPosition(c.back(), r));
        if (startAt.back() < 0 || endAt.back() < 0)
            throw std::runtime_error("a shoreline chain ends inside the region");
    }
    const double perimeter = 2 * ((r.East - r.West) + (r.North - r.South));
    std::vector<bool> used(open.size(), false);
    std::vector<LandPolygon> polygons;
    for (std::size_t first = 0; first < open.size(); ++first) {
        if (used[first])
            continue;
        LandPolygon polygon;
        std::size_t current = first;
        while (true) {
            used[current] = true;
            const Chain &c = open[current];
            for (std::size_t k = 0; k < c.size(); ++k) {
                polygon.Points.push_back(c[k]);
                polygon.EdgeIsShore.push_back(k + 1 < c.size());
            }
            // The next chain is the one whose start comes first counter-clockwise after
            // this chain's end.
            std::size_t next = open.size();
            double bestGap = std::numeric_limits<double>::max();
            for (std::size_t j = 0; j < open.size(); ++j) {
                double gap = startAt[j] - endAt[current];
                if (gap < 0)
                    gap += perimeter;
                if (gap < bestGap) {
                    bestGap = gap;
                    next = j;
                }
            }
            for (const GeoPoint &corner : CornersBetween(endAt[current], startAt[next], r)) {
                polygon.Points.push_back(corner);
                polygon.EdgeIsShore.push_back(false);
            }
            if (next == first)
                break;
            if (used[next])
                throw std::runtime_error("shoreline chains do not close consistently");
            current = next;
        }
        polygons.push_back(std::move(polygon));
    }
    return polygons;
}

double SegmentDistanceMetres(GeoPoint p, GeoPoint a, GeoPoint b)
{
    // Flat metres around p.
    const double kx = 60.0 * 1852.0 * std::cos(p.Lat * 3.14159265358979 / 180.0);
    const double ky = 60.0 * 1852.0;
    const double ax = (a.Lon - p.Lon) * kx;
    const double ay = (a.Lat - p.Lat) * ky;
    const double bx = (b.Lon - p.Lon) * kx;
    const double by = (b.Lat - p.Lat) * ky;
    const double dx = bx - ax;
    const double dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0 ? -(ax * dx + ay * dy) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(ax + t * dx, ay + t * dy);
}

bool OnSameBorderSide(GeoPoint a, GeoPoint b, const Region &r)
{
    const auto near = [](double u, double v) { return std::abs(u - v) < OnBorderDegrees; };
    return (near(a.Lon, r.West) && near(b.Lon, r.West))
        || (near(a.Lon, r.East) && near(b.Lon, r.East))
        || (near(a.Lat, r.South) && near(b.Lat, r.South))
        || (near(a.Lat, r.North) && near(b.Lat, r.North));
}

} // namespace

bool Coastline::IsOnLand(GeoPoint p) const
{
    bool inside = false;
    for (const LandPolygon &polygon : Land) {
        const auto &pts = polygon.Points;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            if ((pts[i].Lat > p.Lat) != (pts[j].Lat > p.Lat)) {
                const double lonAt = pts[j].Lon
                    + (p.Lat - pts[j].Lat) / (pts[i].Lat - pts[j].Lat) * (pts[i].Lon - pts[j].Lon);
                if (p.Lon < lonAt)
                    inside = !inside;
            }
        }
    }
    return inside;
}

double Coastline::DistanceToShoreMetres(GeoPoint p) const
{
    double best = std::numeric_limits<double>::max();
    for (const LandPolygon &polygon : Land) {
        const auto &pts = polygon.Points;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            if (!polygon.EdgeIsShore[i])
                continue;
            best = std::min(best, SegmentDistanceMetres(p, pts[i], pts[(i + 1) % pts.size()]));
        }
    }
    return best;
}

Coastline ReadCoastline(const QString &path, Region bounds)
{
    std::vector<Chain> chains = JoinChains(ReadSegments(path));
    Coastline coast;
    coast.Bounds = bounds;
    std::vector<Chain> open;
    for (Chain &c : chains) {
        if (Same(c.front(), c.back())) {
            LandPolygon island;
            island.Points.assign(c.begin(), c.end() - 1);
            island.EdgeIsShore.assign(island.Points.size(), true);
            coast.Land.push_back(std::move(island));
        } else {
            open.push_back(std::move(c));
        }
    }
    for (LandPolygon &polygon : CloseAlongBorder(open, bounds))
        coast.Land.push_back(std::move(polygon));
    // GMT itself closes some pieces along the region's edge; such edges are not shoreline.
    for (LandPolygon &polygon : coast.Land) {
        const auto &pts = polygon.Points;
        for (std::size_t i = 0; i < pts.size(); ++i)
            if (OnSameBorderSide(pts[i], pts[(i + 1) % pts.size()], bounds))
                polygon.EdgeIsShore[i] = false;
    }
    return coast;
}

Coastline Smoothed(const Coastline &coast, int passes)
{
    Coastline result = coast;
    for (int pass = 0; pass < passes; ++pass)
        for (LandPolygon &polygon : result.Land) {
            const auto &pts = polygon.Points;
            const auto &shore = polygon.EdgeIsShore;
            const std::size_t n = pts.size();
            LandPolygon cut;
            cut.Points.reserve(2 * n);
            cut.EdgeIsShore.reserve(2 * n);
            for (std::size_t i = 0; i < n; ++i) {
                const GeoPoint a = pts[i];
                const GeoPoint b = pts[(i + 1) % n];
                // Only corners between two shore edges are cut: a corner on the region's
                // border stays where it is, however long the border edges beside it are.
                const bool startCut = shore[(i + n - 1) % n] && shore[i];
                const bool endCut = shore[i] && shore[(i + 1) % n];
                cut.Points.push_back(
                    startCut ? GeoPoint{0.75 * a.Lon + 0.25 * b.Lon, 0.75 * a.Lat + 0.25 * b.Lat}
                             : a);
                cut.EdgeIsShore.push_back(shore[i]);
                if (endCut) {
                    cut.Points.push_back(
                        {0.25 * a.Lon + 0.75 * b.Lon, 0.25 * a.Lat + 0.75 * b.Lat});
                    cut.EdgeIsShore.push_back(true);
                }
            }
            polygon = std::move(cut);
        }
    return result;
}

} // namespace brenlow::content
