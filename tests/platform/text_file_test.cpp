#include "core/text_file.h"

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
    EXPECT_EQ(ReadWholeFile(folder.FilePath("all.bin"), bytes.size()), bytes);
}

// Regression: a file was read whole whatever its size, until memory ran out.
TEST(TextFile, AFileLargerThanItsBoundIsNamedTooLarge)
{
    test::TempProgramFolder folder;
    const QString path = folder.FilePath("temp.bmp");
    const qint64 rows[][2] = {{0, 0}, {1, 0}, {5000, 5000}, {5001, 5000}, {1LL << 36, 1 << 20}};
    for (const auto &[size, maxBytes] : rows) {
        SCOPED_TRACE(size);
        QFile file(path); // sparse: no disk used
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(size));
        try {
            EXPECT_EQ(ReadWholeFile(path, maxBytes).value_or("missing").size(), size);
            EXPECT_LE(size, maxBytes);
        } catch (const AppError &error) {
            EXPECT_GT(size, maxBytes);
            EXPECT_EQ(error.Description(), "Path/File access error: " + path + " is too large");
        }
    }
    // A system file that says its size is 0 is read all the same, up to the bound.
    EXPECT_FALSE(ReadWholeFile("/proc/self/status", 1 << 20).value_or("").isEmpty());
    EXPECT_THROW(ReadWholeFile("/proc/self/status", 16), AppError);
}

TEST(TextFile, MissingFileIsNothingAndIsNotCreated)
{
    test::TempProgramFolder folder;
    EXPECT_FALSE(ReadWholeFile(folder.FilePath("absent.bmp"), 100).has_value());
    EXPECT_FALSE(QFile::exists(folder.FilePath("absent.bmp")));
}

// Regression: a FIFO in the place of a data file blocked the reading thread until a writer came.
TEST(TextFile, WhatIsNotARegularFileIsRefusedAtOnce)
{
    test::TempProgramFolder folder;
    const test::FifoGuard fifo(folder.FilePath("fifo.bmp"));
    ASSERT_TRUE(QDir(folder.Info().Folder).mkdir("folder.bmp"));
    ASSERT_TRUE(QFile::link("/dev/null", folder.FilePath("device.bmp")));
    ASSERT_TRUE(QFile::link("/dev/zero", folder.FilePath("endless.bmp")));
    for (const char *name : {"fifo.bmp", "folder.bmp", "device.bmp", "endless.bmp"}) {
        const QString path = folder.FilePath(name);
        try {
            ReadWholeFile(path, 100);
            ADD_FAILURE() << name << " was read";
        } catch (const AppError &error) {
            EXPECT_EQ(error.Kind(), ErrorNumber::PathFileAccess);
            EXPECT_EQ(error.Description(), "Path/File access error: " + path + " is not a file");
        }
    }
    EXPECT_FALSE(fifo.Released()) << "the reader waited on the FIFO";
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
