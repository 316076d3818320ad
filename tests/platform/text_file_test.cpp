#include "platform/text_file.h"

#include "core/app_error.h"
#include "support/test_platform.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

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
    const QString tooLarge = "Path/File access error: " + path + " is too large";
    struct Row
    {
        qint64 size;
        qint64 maxBytes;
        bool read;
    };
    const Row rows[] = {
        {0, 0, true},        {1, 0, false},       {5000, 5000, true},
        {5001, 5000, false}, {100000, 16, false}, {qint64(1) << 36, qint64(1) << 20, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.size);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                    && file.resize(row.size)); // sparse: no disk used
        try {
            const std::optional<QByteArray> content = ReadWholeFile(path, row.maxBytes);
            EXPECT_TRUE(row.read);
            EXPECT_EQ(content.value_or("missing").size(), row.size);
        } catch (const AppError &error) {
            EXPECT_FALSE(row.read);
            EXPECT_EQ(error.Description(), tooLarge);
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
    using Fifo = std::unique_ptr<test::FifoGuard>;
    struct Row
    {
        const char *what;
        std::function<Fifo(const QString &path)> make;
    };
    const auto linkTo = [](const char *target) {
        return [target](const QString &path) {
            QFile::link(QString::fromLatin1(target), path);
            return Fifo();
        };
    };
    const Row rows[] = {
        {"folder",
         [](const QString &path) {
             QDir().mkdir(path);
             return Fifo();
         }},
        {"FIFO", [](const QString &path) { return std::make_unique<test::FifoGuard>(path); }},
        {"link to a character device", linkTo("/dev/null")},
        {"link to an endless device", linkTo("/dev/zero")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        test::TempProgramFolder folder;
        const QString path = folder.FilePath("temp.bmp");
        const Fifo fifo = row.make(path);
        try {
            ReadWholeFile(path, 100);
            ADD_FAILURE() << "no error";
        } catch (const AppError &error) {
            EXPECT_EQ(error.Kind(), ErrorNumber::PathFileAccess);
            EXPECT_EQ(error.Description(), "Path/File access error: " + path + " is not a file");
        }
        EXPECT_FALSE(fifo && fifo->Released()) << "the reader waited on the FIFO";
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
