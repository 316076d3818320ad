#include "data/station_table.h"

#include "core/app_error.h"
#include "data/line_codec.h"
#include "support/test_platform.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace brenlow {
namespace {

// A flow database line of quoted fields, by field number 1..count.
class StationLine
{
public:
    explicit StationLine(int count = StationFieldCount) : fields_(count) { }

    StationLine &Set(int field, const QByteArray &text)
    {
        fields_.at(field - 1) = text;
        return *this;
    }
    StationLine &Rate(int step, const QByteArray &text) { return Set(2 + step, text); }
    StationLine &Direction(int step, const QByteArray &text) { return Set(27 + step, text); }
    StationLine &Height(int step, const QByteArray &text) { return Set(61 + step, text); }

    QByteArray Text() const
    {
        QByteArray line;
        for (const QByteArray &field : fields_)
            line += (line.isEmpty() ? "\"" : ",\"") + field + '"';
        return line;
    }

private:
    std::vector<QByteArray> fields_;
};

// A complete station: title and description name it, every step has a value.
StationLine Station(const QByteArray &name)
{
    StationLine line;
    line.Set(1, "001 18.00W").Set(2, "50 45.00N").Set(53, name).Set(114, name + " description");
    for (int step = 1; step <= StepCount; ++step)
        line.Rate(step, QByteArray::number(step / 10.0))
            .Direction(step, QByteArray::number(step * 10))
            .Height(step, "4.5");
    return line;
}

QByteArray FileOf(const std::vector<QByteArray> &lines)
{
    QByteArray content;
    for (const QByteArray &line : lines)
        content += line + "\r\n";
    return content;
}

QByteArray EncodedFileOf(const std::vector<QByteArray> &lines)
{
    std::vector<QByteArray> encoded{EncodedMarker};
    for (const QByteArray &line : lines)
        encoded.push_back(EncodeLine(line));
    return FileOf(encoded);
}

class StationTableTest : public ::testing::Test
{
protected:
    StationTable Load(const QByteArray &content)
    {
        folder.WriteFile("temp.bmp", content);
        StationTable table;
        LoadStationTable(folder.Info(), messages, table);
        return table;
    }

    // The error that loading content raises.
    AppError LoadError(const QByteArray &content)
    {
        try {
            Load(content);
        } catch (const AppError &error) {
            return error;
        }
        ADD_FAILURE() << "no error";
        return AppError(ErrorNumber::InvalidArgument, "", "");
    }

    std::vector<QByteArray> Titles(const StationTable &table)
    {
        std::vector<QByteArray> titles;
        for (const StationRecord &record : table)
            titles.push_back(record.Title);
        return titles;
    }

    test::TempProgramFolder folder;
    test::RecordingMessageBoxes messages;
};

const char Warning[] = "Warning Flow database is not Encrypted";

TEST_F(StationTableTest, EncodedAndPlainFilesLoadTheSameRecords)
{
    const std::vector<QByteArray> lines{Station("Needles").Text(), Station("Hurst").Text()};

    const StationTable encoded = Load(EncodedFileOf(lines));
    EXPECT_TRUE(messages.Shown.empty());

    std::size_t sizeWhenWarned = 0;
    StationTable plain;
    folder.WriteFile("temp.bmp", FileOf(lines));
    messages.OnShow = [&](const test::ShownMessage &) { sizeWhenWarned = plain.size(); };
    LoadStationTable(folder.Info(), messages, plain);
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, Warning);
    EXPECT_EQ(messages.Shown[0].Title, "Brenlow");
    EXPECT_EQ(messages.Shown[0].Icon, MessageIcon::None);
    EXPECT_EQ(sizeWhenWarned, 3u) << "the warning comes after all lines are read";

    ASSERT_EQ(encoded.size(), 3u);
    ASSERT_EQ(plain.size(), 3u);
    EXPECT_EQ(Titles(encoded), (std::vector<QByteArray>{"", "Needles", "Hurst"}));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(encoded[i].ChartX, plain[i].ChartX);
        EXPECT_EQ(encoded[i].ChartY, plain[i].ChartY);
        EXPECT_EQ(encoded[i].Rate, plain[i].Rate);
        EXPECT_EQ(encoded[i].Direction, plain[i].Direction);
        EXPECT_EQ(encoded[i].RateHeight, plain[i].RateHeight);
        EXPECT_EQ(encoded[i].Description, plain[i].Description);
    }
    const StationRecord &needles = encoded[1];
    EXPECT_DOUBLE_EQ(needles.ChartX, (38 - 18.0) / 2);
    EXPECT_DOUBLE_EQ(needles.ChartY, (54 - 45.0) / 2);
    EXPECT_DOUBLE_EQ(needles.Rate[25], 2.5);
    EXPECT_EQ(needles.Direction[1], 10);
    EXPECT_DOUBLE_EQ(needles.RateHeight[13], 4.5);
    EXPECT_EQ(needles.Description, "Needles description");
    EXPECT_EQ(encoded[0].Title, "");
    EXPECT_EQ(encoded[0].Rate[1], 0);
}

TEST_F(StationTableTest, DescriptionWithDegreeSignSurvivesEncoding)
{
    // Regression: a byte above 127 must not encode to a line break that splits the record.
    const QByteArray description = "Set 090\xb0 (True) \xe9t\xe9\t\x80";
    const StationTable table =
        Load(EncodedFileOf({Station("Bramble").Set(114, description).Text()}));
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[1].Description, description);
}

TEST_F(StationTableTest, OnlyTheExactFirstLineIsTheMarker)
{
    struct Row
    {
        const char *name;
        QByteArray firstLine;
    };
    const Row rows[] = {
        {"capital E", "Encrypted"},
        {"trailing blank", "encrypted "},
        {"leading blank", " encrypted"},
    };
    for (const Row &row : rows) {
        const AppError error = LoadError(FileOf({row.firstLine, Station("A").Text()}));
        EXPECT_EQ(error.Number(), 5) << row.name;
        EXPECT_TRUE(error.Description().contains("temp.bmp line 1 ")) << row.name;
    }
    // The marker anywhere but first is a data line like any other.
    const AppError error = LoadError(FileOf({Station("A").Text(), EncodedMarker}));
    EXPECT_TRUE(error.Description().contains("temp.bmp line 2 "));
}

TEST_F(StationTableTest, EmptyLinesMakeNoRecordAndRecordsHaveNoGaps)
{
    const QByteArray content = "\r\n" + Station("A").Text() + "\r\n\r\n\r\n" + Station("B").Text()
        + "\r\n" + Station("C").Text() + "\r\n";
    EXPECT_EQ(Titles(Load(content)), (std::vector<QByteArray>{"", "A", "B", "C"}));
    EXPECT_EQ(Titles(Load(EncodedFileOf({"", Station("A").Text(), "", Station("B").Text()}))),
              (std::vector<QByteArray>{"", "A", "B"}));
}

TEST_F(StationTableTest, FieldConversions)
{
    struct Row
    {
        const char *name;
        StationLine line;
        std::function<void(const StationRecord &)> check;
    };
    const Row rows[] = {
        {"empty rate is no value", Station("s").Rate(4, ""),
         [](const StationRecord &r) { EXPECT_EQ(r.Rate[4], -1); }},
        {"minus rate reads 0", Station("s").Rate(4, "-1"),
         [](const StationRecord &r) { EXPECT_EQ(r.Rate[4], 0); }},
        {"point rate", Station("s").Rate(4, ".5"),
         [](const StationRecord &r) { EXPECT_EQ(r.Rate[4], 0.5); }},
        {"decimal rate", Station("s").Rate(4, "1.5"),
         [](const StationRecord &r) { EXPECT_EQ(r.Rate[4], 1.5); }},
        {"rate with blanks", Station("s").Rate(4, " 2 .1 kn"),
         [](const StationRecord &r) { EXPECT_DOUBLE_EQ(r.Rate[4], 2.1); }},
        {"direction half rounds up to even", Station("s").Direction(7, "45.5"),
         [](const StationRecord &r) { EXPECT_EQ(r.Direction[7], 46); }},
        {"direction half rounds down to even", Station("s").Direction(7, "44.5"),
         [](const StationRecord &r) { EXPECT_EQ(r.Direction[7], 44); }},
        {"empty direction is no value", Station("s").Direction(25, ""),
         [](const StationRecord &r) { EXPECT_EQ(r.Direction[25], -1); }},
        {"minus direction reads 0", Station("s").Direction(1, "-90"),
         [](const StationRecord &r) { EXPECT_EQ(r.Direction[1], 0); }},
        {"empty height is 4.3", Station("s").Height(1, ""),
         [](const StationRecord &r) { EXPECT_EQ(r.RateHeight[1], 4.3); }},
        {"height", Station("s").Height(25, "3.8"),
         [](const StationRecord &r) { EXPECT_EQ(r.RateHeight[25], 3.8); }},
        {"empty title and description", Station("s").Set(53, "").Set(114, ""),
         [](const StationRecord &r) {
             EXPECT_EQ(r.Title, "");
             EXPECT_EQ(r.Description, "");
         }},
        {"short longitude gives 19", Station("s").Set(1, "0011"),
         [](const StationRecord &r) { EXPECT_EQ(r.ChartX, 19); }},
        {"short latitude gives 27", Station("s").Set(2, "504"),
         [](const StationRecord &r) { EXPECT_EQ(r.ChartY, 27); }},
        // A number unlike every used value: a field read one place off shows.
        {"unused fields are not read",
         [] {
             StationLine line = Station("s");
             for (const auto &[first, last] : {std::pair{54, 61}, {87, 113}, {115, 123}})
                 for (int field = first; field <= last; ++field)
                     line.Set(field, "77.7");
             return line;
         }(),
         [](const StationRecord &r) {
             EXPECT_EQ(r.Title, "s");
             EXPECT_EQ(r.Description, "s description");
             for (int step = 1; step <= StepCount; ++step) {
                 EXPECT_DOUBLE_EQ(r.Rate[step], step / 10.0) << step;
                 EXPECT_EQ(r.Direction[step], step * 10) << step;
                 EXPECT_EQ(r.RateHeight[step], 4.5) << step;
             }
         }},
        {"fields keep their blanks", Station(" s ").Set(114, "  two  words "),
         [](const StationRecord &r) {
             EXPECT_EQ(r.Title, " s ");
             EXPECT_EQ(r.Description, "  two  words ");
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const StationTable table = Load(EncodedFileOf({row.line.Text()}));
        ASSERT_EQ(table.size(), 2u);
        row.check(table[1]);
    }
}

TEST_F(StationTableTest, ALineNeeds123QuotedFields)
{
    StationLine longer(124);
    longer.Set(53, "long").Set(124, "extra");
    StationLine exact(123);
    exact.Set(53, "exact");
    EXPECT_EQ(Titles(Load(EncodedFileOf({longer.Text(), exact.Text()}))),
              (std::vector<QByteArray>{"", "long", "exact"}));

    const AppError error = LoadError(EncodedFileOf({exact.Text(), StationLine(122).Text()}));
    EXPECT_EQ(error.Number(), 5);
    EXPECT_EQ(error.Source(), "Brenlow");
    EXPECT_EQ(error.Description(),
              "Invalid procedure call or argument: temp.bmp line 3 has fewer than 123 quoted "
              "fields (field 123 is missing)");
}

TEST_F(StationTableTest, RecordsBeforeAFaultyLineRemain)
{
    folder.WriteFile("temp.bmp", FileOf({Station("A").Text(), "garbage", Station("B").Text()}));
    StationTable table;
    EXPECT_THROW(LoadStationTable(folder.Info(), messages, table), AppError);
    EXPECT_EQ(Titles(table), (std::vector<QByteArray>{"", "A"}));
    EXPECT_TRUE(messages.Shown.empty()) << "no warning when loading fails";
}

TEST_F(StationTableTest, LineFeedAloneDoesNotEndALine)
{
    // Three records joined by LF only are one line: the first 123 fields make one record.
    const QByteArray content =
        Station("A").Text() + "\n" + Station("B").Text() + "\n" + Station("C").Text();
    EXPECT_EQ(Titles(Load(content)), (std::vector<QByteArray>{"", "A"}));
}

TEST_F(StationTableTest, DirectionBeyond32BitsIsOverflow)
{
    struct Row
    {
        QByteArray direction;
        bool overflows;
    };
    const Row rows[] = {
        {"2147483647", false},
        {"2147483647.5", true},
        {"4294967296", true},
        {"1E99999", true},
    };
    for (const Row &row : rows) {
        const QByteArray content = EncodedFileOf({Station("A").Text(), Station("B").Text(),
                                                  Station("C").Direction(3, row.direction).Text()});
        if (!row.overflows) {
            EXPECT_EQ(Load(content)[3].Direction[3], 2147483647);
            continue;
        }
        const AppError error = LoadError(content);
        EXPECT_EQ(error.Number(), 6) << row.direction.constData();
        EXPECT_EQ(error.Description(),
                  "Overflow: temp.bmp line 4 field 30 (direction) does not fit 32 bits");
    }
    const AppError rate = LoadError(FileOf({Station("A").Rate(1, "1e400").Text()}));
    EXPECT_EQ(rate.Number(), 6);
    EXPECT_EQ(rate.Description(), "Overflow: temp.bmp line 1 field 3 (rate) is a number too large");
}

TEST_F(StationTableTest, MissingFileHasNoStationsAndIsNotCreated)
{
    StationTable table;
    LoadStationTable(folder.Info(), messages, table);
    EXPECT_TRUE(table.empty());
    EXPECT_FALSE(QFile::exists(folder.FilePath("temp.bmp")));
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, Warning);
    try {
        LastIndex(table);
        FAIL() << "no error";
    } catch (const AppError &error) {
        EXPECT_EQ(error.Number(), 9);
        EXPECT_EQ(error.Source(), "Brenlow");
        EXPECT_EQ(error.Description(),
                  "Subscript out of range: the flow database temp.bmp holds no stations");
    }
}

TEST_F(StationTableTest, LastIndexIsTheLastStationNumber)
{
    EXPECT_EQ(LastIndex(Load(EncodedFileOf({Station("A").Text()}))), 1);
    EXPECT_EQ(LastIndex(Load(FileOf({Station("A").Text(), Station("B").Text()}))), 2);
    // A marker and nothing else: encoded, no warning, no stations.
    messages.Shown.clear();
    EXPECT_THROW(LastIndex(Load("encrypted")), AppError);
    EXPECT_TRUE(messages.Shown.empty());
}

} // namespace
} // namespace brenlow
