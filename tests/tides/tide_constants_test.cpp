// A constants file that is missing or damaged is refused with a reason naming file and line.
#include "support/test_platform.h"
#include "tides/tide_constants.h"

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(TideConstants, RefusesDamagedFilesNamingFileAndLine)
{
    const QByteArray head = "# a comment\nchart_datum LAT\ndatum MSL 3.0\ndatum LAT 0.5\n";
    const struct
    {
        QByteArray Text;
        const char *Reason;
    } rows[] = {
        {head + "constituent M2 1.0 10\nconstituent XY7 0.1 5\n",
         "line 6: unknown constituent XY7"},
        {head + "constituent M2 1.0 10\nconstituent M2 0.1 5\n", "line 6: M2 is given twice"},
        {head + "constituent M2 -1 10\n", "line 5: the amplitude or phase of M2"},
        {head + "constituent M2 1 nan\n", "line 5: the amplitude or phase of M2"},
        {head + "datum MHWS high\n", "line 5: the datum height"},
        {head + "constituent M2 1.0\n", "line 5: not a line"},
        {head, "no tidal constituents"},
        {"chart_datum LAT\ndatum LAT 0.5\nconstituent M2 1 0\n", "MSL and LAT are needed"},
        {QByteArray("\x00\xff\xfe", 3), "line 1: not a line"},
    };
    for (const auto &row : rows) {
        const TideConstantsResult result = ParseTideConstants(row.Text, QStringLiteral("t.txt"));
        EXPECT_FALSE(result.Constants.has_value()) << row.Reason;
        EXPECT_TRUE(result.Error.startsWith(QLatin1String("t.txt")));
        EXPECT_TRUE(result.Error.contains(QLatin1String(row.Reason))) << result.Error.toStdString();
    }
    const test::TempProgramFolder folder;
    const QString path = folder.FilePath(QStringLiteral("portsmouth_tides.txt"));
    EXPECT_TRUE(LoadTideConstants(path).Error.contains(path + QStringLiteral(" is missing")));
}

} // namespace
} // namespace brenlow
