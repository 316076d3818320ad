#include "data/auxiliary_files.h"

#include "core/app_error.h"
#include "support/test_platform.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

template<typename Load>
AppError ErrorOf(Load load)
{
    try {
        load();
    } catch (const AppError &error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return AppError(ErrorNumber::InvalidArgument, "", "");
}

class PictureSpotsTest : public ::testing::Test
{
protected:
    PictureSpotTable Load(const QByteArray &content)
    {
        folder.WriteFile("temp2.bmp", content);
        PictureSpotTable spots;
        LoadPictureSpots(folder.Info(), spots);
        return spots;
    }

    test::TempProgramFolder folder;
};

TEST_F(PictureSpotsTest, CommentsAndEmptyLinesMakeNoSpot)
{
    const PictureSpotTable spots =
        Load("\";spots of the Solent\"\r\n"
             "\"001 20.00W\",\"50 44.00N\",\"001 18.00W\",\"50 46.00N\","
             "\"one.jpg\"\r\n"
             "\r\n"
             "\";\",\"001 20.00W\",\"50 44.00N\",\"x\",\"y\",\"z.jpg\"\r\n"
             "\"0000 1\",\"000 2\",\"0000 3\",\"000 4\",\"two.jpg\"\r\n"
             "\"; disabled\" \"0000 1\",\"000 2\"\r\n"
             "\"\",\"\",\"\",\"\",\"three.jpg\",\"ignored\"\r\n");
    ASSERT_EQ(SpotCount(spots), 3);
    EXPECT_EQ(spots[0].PictureFile, "");
    EXPECT_EQ(spots[1].PictureFile, "one.jpg");
    EXPECT_EQ(spots[2].PictureFile, "two.jpg");
    EXPECT_EQ(spots[3].PictureFile, "three.jpg");
    EXPECT_DOUBLE_EQ(spots[1].Left, (38 - 20.0) / 2);
    EXPECT_DOUBLE_EQ(spots[1].Top, (54 - 44.0) / 2);
    EXPECT_DOUBLE_EQ(spots[1].Right, (38 - 18.0) / 2);
    EXPECT_DOUBLE_EQ(spots[1].Bottom, (54 - 46.0) / 2);
    EXPECT_DOUBLE_EQ(spots[2].Left, (38 - 1) / 2.0);
    EXPECT_DOUBLE_EQ(spots[2].Top, (54 - 2) / 2.0);
    EXPECT_DOUBLE_EQ(spots[2].Right, (38 - 3) / 2.0);
    EXPECT_DOUBLE_EQ(spots[2].Bottom, (54 - 4) / 2.0);
    EXPECT_EQ(spots[3].Left, 19);
    EXPECT_EQ(spots[3].Top, 27);
}

TEST_F(PictureSpotsTest, SignIsHonouredAndReversedEdgesLoad)
{
    // South edge given first: Top > Bottom loads as written.
    const PictureSpotTable spots = Load("\"0000-2\",\"00050\",\"00002\",\"00040\",\"a.jpg\"");
    ASSERT_EQ(SpotCount(spots), 1);
    EXPECT_EQ(spots[1].Left, 20);
    EXPECT_EQ(spots[1].Right, 18);
    EXPECT_EQ(spots[1].Top, 2);
    EXPECT_EQ(spots[1].Bottom, 7);
}

TEST_F(PictureSpotsTest, MalformedLinesAreInvalidArgument)
{
    struct Row
    {
        const char *name;
        QByteArray content;
        int line;
    };
    const Row rows[] = {
        {"semicolon outside quotes is no comment", "\"a\",\"b\",\"c\",\"d\",\"e\"\r\n;comment", 2},
        {"four fields", "\r\n\r\n\"a\",\"b\",\"c\",\"d\"", 3},
        {"one quote", "\"a", 1},
    };
    for (const Row &row : rows) {
        const AppError error = ErrorOf([&] { Load(row.content); });
        EXPECT_EQ(error.Number(), 5) << row.name;
        EXPECT_EQ(error.Source(), "Brenlow");
        EXPECT_EQ(error.Description(),
                  QStringLiteral("Invalid procedure call or argument: temp2.bmp line %1 has "
                                 "fewer than 5 quoted fields")
                      .arg(row.line))
            << row.name;
    }
}

TEST_F(PictureSpotsTest, NoSpotLinesGiveATableWithoutElements)
{
    EXPECT_TRUE(Load("\";only a comment\"\r\n\r\n").empty());
    EXPECT_TRUE(Load("").empty());
    PictureSpotTable spots;
    LoadPictureSpots(test::TempProgramFolder().Info(), spots);
    EXPECT_TRUE(spots.empty());
    EXPECT_EQ(SpotCount(spots), 0);
}

TEST_F(PictureSpotsTest, MissingFileIsNotCreated)
{
    PictureSpotTable spots;
    LoadPictureSpots(folder.Info(), spots);
    EXPECT_TRUE(spots.empty());
    EXPECT_FALSE(QFile::exists(folder.FilePath("temp2.bmp")));
}

class RateTableTest : public ::testing::Test
{
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    int Load(const QByteArray &content)
    {
        folder.WriteFile("temp3.bmp", content);
        return LoadRateTable(folder.Info(), table);
    }

    AppError LoadError(const QByteArray &content)
    {
        return ErrorOf([&] { Load(content); });
    }

    test::TempProgramFolder folder;
    RateTable table{};
};

QByteArray Values(int count, double first = 1)
{
    QByteArray line;
    for (int i = 0; i < count; ++i)
        line += (i ? "," : "") + QByteArray::number(first + i);
    return line;
}

TEST_F(RateTableTest, HeadingAndRows)
{
    table[7][7] = 99; // reset by the load
    EXPECT_EQ(Load("3.4,3.8,4.3,4.7,5\r\n"
                   "0.1,0.2,0.3,0.4,0.5\r\n"
                   "\r\n"
                   "1,2,3,4,5,\r\n"
                   " 2 ,3\r\n"),
              5);
    const double heights[] = {0, 3.4, 3.8, 4.3, 4.7, 5};
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(table[p][0], heights[p]) << p;
    EXPECT_EQ(table[1][1], 0.1);
    EXPECT_EQ(table[5][1], 0.5);
    EXPECT_EQ(table[1][2], 1) << "a blank line leaves no empty row";
    EXPECT_EQ(table[5][2], 5) << "a trailing comma is harmless";
    EXPECT_EQ(table[6][2], 0);
    EXPECT_EQ(table[1][3], 2);
    EXPECT_EQ(table[2][3], 3);
    EXPECT_EQ(table[1][4], 0);
    EXPECT_EQ(table[0][0], 0);
    EXPECT_EQ(table[7][7], 0);
}

TEST_F(RateTableTest, FiftyValuesAndRowsFitButNotFiftyOne)
{
    QByteArray full = Values(50) + ",\r\n";
    for (int row = 1; row <= 50; ++row)
        full += Values(50, row) + "\r\n\r\n";
    EXPECT_EQ(Load(full), 50);
    EXPECT_EQ(table[50][0], 50);
    EXPECT_EQ(table[50][50], 99);

    struct Row
    {
        const char *name;
        QByteArray content;
        QString description;
    };
    const Row rows[] = {
        {"51 heights", Values(51),
         "Subscript out of range: temp3.bmp line 1 has more than 50 values"},
        {"51 rates", Values(5) + "\r\n" + Values(51),
         "Subscript out of range: temp3.bmp line 2 has more than 50 values"},
        {"51 rows", full + "1",
         "Subscript out of range: temp3.bmp line 102 is rate row 51; the "
         "table holds at most 50"},
        {"empty file", "",
         "Subscript out of range: temp3.bmp line 1 is missing: the rate table needs a line of "
         "heights"},
    };
    for (const Row &row : rows) {
        const AppError error = LoadError(row.content);
        EXPECT_EQ(error.Number(), 9) << row.name;
        EXPECT_EQ(error.Source(), "Brenlow");
        EXPECT_EQ(error.Description(), row.description) << row.name;
    }
}

TEST_F(RateTableTest, EmptyOrNonNumericValueIsTypeMismatch)
{
    struct Row
    {
        const char *name;
        QByteArray content;
        QString detail;
    };
    const Row rows[] = {
        {"two commas", "1,,3", "line 1 value 2 is empty"},
        {"comma first", "1,2\r\n\r\n,2", "line 3 value 1 is empty"},
        {"blank value", "1, ,3", "line 1 value 2 is not a number"},
        {"word", "1,2\r\n1,x", "line 2 value 2 is not a number"},
        {"number then text", "1.5kn", "line 1 value 1 is not a number"},
        {"infinity", "1,inf", "line 1 value 2 is not a number"},
        {"beyond a double", "1,1e999", "line 1 value 2 is too large"},
        {"beyond a double, negative", "1\r\n -1E400", "line 2 value 1 is too large"},
        // A value is converted before it is stored: a bad one beyond the table's capacity is
        // a type mismatch, not a subscript error.
        {"bad 51st value", Values(50) + ",x", "line 1 value 51 is not a number"},
        {"bad 51st row", "1\r\n" + QByteArray("1\r\n").repeated(50) + "x",
         "line 52 value 1 is not a number"},
    };
    for (const Row &row : rows) {
        const AppError error = LoadError(row.content);
        EXPECT_EQ(error.Number(), 13) << row.name;
        EXPECT_EQ(error.Description(), "Type mismatch: temp3.bmp " + row.detail) << row.name;
    }
}

TEST_F(RateTableTest, EmptyFirstLineHasNoColumns)
{
    EXPECT_EQ(Load("\r\n1,2"), 0);
    EXPECT_EQ(table[1][1], 1);
}

TEST_F(RateTableTest, MissingFileFailsAsAnEmptyOneAndIsNotCreated)
{
    const AppError error = ErrorOf([&] { LoadRateTable(folder.Info(), table); });
    EXPECT_EQ(error.Number(), 9);
    EXPECT_FALSE(QFile::exists(folder.FilePath("temp3.bmp")));
}

// Regression: where decimals are written with a comma, the shipped table ended start-up.
TEST_F(RateTableTest, ValuesHaveTheDecimalPointOnADecimalCommaSystem)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // The comma separates values before it can be a decimal comma.
    EXPECT_EQ(Load("3,4\r\n 1.500 "), 2);
    EXPECT_EQ(table[1][0], 3);
    EXPECT_EQ(table[2][0], 4);
    EXPECT_EQ(table[1][1], 1.5);

    folder.CopyFromBuiltProgram("temp3.bmp");
    EXPECT_EQ(LoadRateTable(folder.Info(), table), 17);
    EXPECT_EQ(table[1][0], 3.4);
    EXPECT_EQ(table[17][0], 5);
}

} // namespace
} // namespace brenlow
