#include "view/station_info.h"

#include "core/station_record.h"

namespace brenlow {

QByteArray StationInfoRtf(const StationRecord &station)
{
    QByteArray description = station.Description;
    description.replace("\r\n", "\\par\r\n");
    return QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang2057{\\fonttbl{\\f0\\fswiss"
                      "\\fcharset0 Arial;}}")
        + "\r\n" + "{\\*\\generator Msftedit 5.41.15.1503;}\\viewkind4\\uc1\\pard\\b\\f0\\fs20 "
        + station.Title + "\\par" + "\r\n" + "\\b0 " + description + "}";
}

} // namespace brenlow
