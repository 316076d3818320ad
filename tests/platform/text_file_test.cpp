#include "platform/text_file.h"

#include "core/app_error.h"
#include "support/test_platform.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(TextFile, WholeFileIsReadByteForByte)
{
    test::TempProgramFolder folder;
    QByteArray bytes;
    for (int c = 0; c < 256; ++c)
        bytes.append(static_cast<char>(c));
    folder.WriteFile("all.bin", bytes);
    EXPECT_EQ(ReadWholeFile(folder.FilePath("all.bin")), bytes);
}

TEST(TextFile, MissingFileIsNothingAndIsNotCreated)
{
    test::TempProgramFolder folder;
    EXPECT_FALSE(ReadWholeFile(folder.FilePath("absent.bmp")).has_value());
    EXPECT_FALSE(QFile::exists(folder.FilePath("absent.bmp")));
}

TEST(TextFile, FolderInPlaceOfFileIsAnAccessError)
{
    test::TempProgramFolder folder;
    ASSERT_TRUE(QDir(folder.Info().Folder).mkdir("temp.bmp"));
    try {
        ReadWholeFile(folder.FilePath("temp.bmp"));
        FAIL() << "no error";
    } catch (const AppError &error) {
        EXPECT_EQ(error.Number(), 75);
        EXPECT_TRUE(error.Description().contains("temp.bmp"));
    }
}

TEST(TextFile, Windows1252ToUnicode)
{
    struct Row
    {
        unsigned char code;
        char16_t unicode;
    };
    const Row rows[] = {
        {'A', u'A'},    {0x80, 0x20AC}, {0x81, 0x0081}, {0x92, 0x2019}, {0x96, 0x2013},
        {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xB0, 0x00B0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const Row &row : rows) {
        const QString text = Windows1252ToUnicode(QByteArray(1, static_cast<char>(row.code)));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text.at(0).unicode(), row.unicode) << int(row.code);
    }
}

} // namespace
} // namespace brenlow
