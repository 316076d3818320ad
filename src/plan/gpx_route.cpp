#include "plan/gpx_route.h"

#include "core/program_info.h"

#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>

namespace brenlow {

namespace {

const QString GpxNamespace = QStringLiteral("http://www.topografix.com/GPX/1/1");

// A lat or lon attribute of the point being read, within limit degrees either way.
std::optional<double> ReadDegrees(QXmlStreamReader &xml, QLatin1String attribute, double limit)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (!attributes.hasAttribute(attribute)) {
        xml.raiseError(QStringLiteral("%1 has no %2").arg(xml.name(), attribute));
        return std::nullopt;
    }
    bool ok = false;
    const QStringView text = attributes.value(attribute);
    const double degrees = text.trimmed().toDouble(&ok);
    if (!ok || !(std::fabs(degrees) <= limit)) {
        xml.raiseError(QStringLiteral("%1 %2=\"%3\" is not a number of degrees from -%4 to %4")
                           .arg(xml.name(), attribute, text)
                           .arg(limit));
        return std::nullopt;
    }
    return degrees;
}

std::optional<RoutePoint> ReadPointPosition(QXmlStreamReader &xml)
{
    const std::optional<double> latitude = ReadDegrees(xml, QLatin1String("lat"), 90);
    if (!latitude)
        return std::nullopt;
    const std::optional<double> longitude = ReadDegrees(xml, QLatin1String("lon"), 180);
    if (!longitude)
        return std::nullopt;
    return RoutePoint{QString(), {*latitude, *longitude}};
}

QString DegreesText(double degrees)
{
    return QString::number(degrees, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QString GpxError::Text() const
{
    return QStringLiteral("line %1, column %2: %3").arg(Line).arg(Column).arg(Message);
}

GpxReadResult ReadGpxRoute(const QByteArray &content)
{
    QXmlStreamReader xml(content);
    std::vector<QString> open; // local names of the elements open around the reader
    GpxRoute route;
    GpxRoute track;
    bool routeSeen = false;
    bool trackSeen = false;
    bool inRoute = false; // inside the first rte
    bool inTrack = false; // inside the first trk
    std::optional<RoutePoint> point;
    GpxError noPoints{0, 0,
                      QStringLiteral("no route point (rte/rtept) or track point "
                                     "(trk/trkseg/trkpt) in the document")};

    while (!xml.atEnd() && !xml.hasError()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            const QString parent = open.empty() ? QString() : open.back();
            if (open.empty() && name != u"gpx") {
                xml.raiseError(
                    QStringLiteral("not a GPX document: it begins with <%1>, not <gpx>").arg(name));
                break;
            }
            const bool pointOfRoute = inRoute && name == u"rtept" && parent == u"rte";
            const bool pointOfTrack = inTrack && name == u"trkpt" && parent == u"trkseg";
            if (name == u"rte" && parent == u"gpx" && !routeSeen) {
                routeSeen = inRoute = true;
            } else if (name == u"trk" && parent == u"gpx" && !trackSeen) {
                trackSeen = inTrack = true;
            } else if (pointOfRoute || pointOfTrack) {
                point = ReadPointPosition(xml);
                if (!point)
                    break;
            } else if (name == u"name") {
                // readElementText leaves the reader at the name's end: nothing to pop.
                if (point && (parent == u"rtept" || parent == u"trkpt")) {
                    point->Name = xml.readElementText();
                    continue;
                }
                if (inRoute && parent == u"rte") {
                    route.Name = xml.readElementText();
                    continue;
                }
                if (inTrack && parent == u"trk") {
                    track.Name = xml.readElementText();
                    continue;
                }
            }
            open.push_back(name.toString());
        } else if (token == QXmlStreamReader::EndElement) {
            const QString closed = open.back();
            open.pop_back();
            if (open.empty()) {
                // A document without points is reported at the end of its gpx element.
                noPoints.Line = xml.lineNumber();
                noPoints.Column = xml.columnNumber();
            }
            if (point && (closed == u"rtept" || closed == u"trkpt")) {
                (closed == u"rtept" ? route : track).Points.push_back(*point);
                point.reset();
            } else if (closed == u"rte") {
                inRoute = false;
            } else if (closed == u"trk") {
                inTrack = false;
            }
        }
    }

    GpxReadResult result;
    if (xml.hasError())
        result.Error = GpxError{xml.lineNumber(), xml.columnNumber(), xml.errorString()};
    else if (!route.Points.empty())
        result.Route = route;
    else if (!track.Points.empty())
        result.Route = track;
    else
        result.Error = noPoints;
    return result;
}

QByteArray WriteGpxRoute(const GpxRoute &route)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(GpxNamespace);
    xml.writeStartElement(GpxNamespace, QStringLiteral("gpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), ProgramTitleText());
    xml.writeStartElement(GpxNamespace, QStringLiteral("rte"));
    if (!route.Name.isEmpty())
        xml.writeTextElement(GpxNamespace, QStringLiteral("name"), route.Name);
    for (const RoutePoint &point : route.Points) {
        xml.writeStartElement(GpxNamespace, QStringLiteral("rtept"));
        xml.writeAttribute(QStringLiteral("lat"), DegreesText(point.Position.Latitude));
        xml.writeAttribute(QStringLiteral("lon"), DegreesText(point.Position.Longitude));
        if (!point.Name.isEmpty())
            xml.writeTextElement(GpxNamespace, QStringLiteral("name"), point.Name);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace brenlow
