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
    EXPECT_EQ(ReadWholeFile(folder.FilePath("all.bin")), bytes);
}

TEST(TextFile, MissingFileIsNothingAndIsNotCreated)
{
    test::TempProgramFolder folder;
    EXPECT_FALSE(ReadWholeFile(folder.FilePath("absent.bmp")).has_value());
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
            ReadWholeFile(path);
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
