// The pictures of the steps from the command line, run as a user runs the built program.
#include "support/program_process.h"
#include "support/test_platform.h"
#include "tides/tide_constants.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSize>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

using test::ProgramOutput;

// A PNG file's size from its header (the first chunk, IHDR, holds it big-endian).
QSize PngSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(24);
    if (head.size() < 24 || !head.startsWith("\x89PNG") || head.mid(12, 4) != "IHDR")
        return {};
    const auto number = [&head](int at) {
        return int(quint8(head[at])) << 24 | int(quint8(head[at + 1])) << 16
            | int(quint8(head[at + 2])) << 8 | int(quint8(head[at + 3]));
    };
    return QSize(number(16), number(20));
}

QStringList Pictures(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
}

TEST(PicturesCommandTest, WritesTheTwentyFiveStepsOfTheWholeChartAndNeverWritesOverOne)
{
    const test::TempProgramFolder folder;
    const QString atlas = folder.FilePath(QStringLiteral("atlas"));
    ASSERT_TRUE(QDir().mkpath(atlas));
    const QStringList arguments{"--pictures", atlas, "--date", "2026-06-12", "--width", "400"};
    const ProgramOutput run = test::RunProgram(arguments);
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    const QStringList names = Pictures(atlas);
    ASSERT_EQ(names.size(), 25);
    // The whole chart, 780 x 497 at level 1, with the day's first high water in the names.
    const QRegularExpression form(
        QStringLiteral(R"(^2026-06-12_HW\d{4}_(\d\d)_([+-]\d\.\d)\.png$)"));
    for (int i = 0; i < 25; ++i) {
        const QRegularExpressionMatch match = form.match(names[i]);
        ASSERT_TRUE(match.hasMatch()) << names[i].toStdString();
        EXPECT_EQ(match.captured(1).toInt(), i + 1);
        EXPECT_DOUBLE_EQ(match.captured(2).toDouble(), (i - 12) / 2.0);
        EXPECT_EQ(PngSize(QDir(atlas).filePath(names[i])), QSize(400, 255));
    }

    struct Row
    {
        const char *name;
        QStringList arguments;
        QString error; // the start of the one line on stderr
    };
    const QString empty = folder.FilePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    const Row rows[] = {
        {"a picture is there", arguments, "brenlow: " + QDir(atlas).filePath(names[0])},
        {"no folder", {"--pictures"}, "brenlow: --pictures needs the folder"},
        {"missing folder", {"--pictures", folder.FilePath("none")}, "brenlow: The folder "},
        {"narrow", {"--pictures", empty, "--width", "199"}, "brenlow: --width needs"},
        {"no such day", {"--pictures", empty, "--date", "2026-02-30"}, "brenlow: --date needs"},
        {"unknown option", {"--pictures", empty, "--zoom", "2"}, "brenlow: unknown option --zoom"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QDateTime before = QFileInfo(QDir(atlas).filePath(names[0])).lastModified();
        const ProgramOutput refused = test::RunProgram(row.arguments);
        EXPECT_EQ(refused.ExitCode, 2);
        EXPECT_TRUE(refused.Err.startsWith(row.error)) << refused.Err.toStdString();
        EXPECT_EQ(refused.Err.count(QLatin1Char('\n')), 1);
        EXPECT_EQ(Pictures(atlas), names);
        EXPECT_EQ(QFileInfo(QDir(atlas).filePath(names[0])).lastModified(), before);
        EXPECT_TRUE(Pictures(empty).isEmpty());
    }

    // Without the tidal constants there is no day to draw.
    folder.CopyFromBuiltProgram(QStringLiteral("brenlow"));
    const ProgramOutput bare = test::RunProgram({"--pictures", empty}, folder.FilePath("brenlow"));
    EXPECT_EQ(bare.ExitCode, 2);
    EXPECT_TRUE(bare.Err.contains(folder.FilePath(TideConstantsFileName)))
        << bare.Err.toStdString();
    EXPECT_TRUE(Pictures(empty).isEmpty());
}

} // namespace
} // namespace brenlow
