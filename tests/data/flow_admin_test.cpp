#include "data/flow_admin.h"

#include "data/line_codec.h"
#include "support/test_platform.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

using test::RecordingMessageBoxes;
using test::TempProgramFolder;

const QByteArray PlainFlow = "\"1\",\"2\",\"Station A\"\r\n"
                             "\"3\",\"4\",\"Station B, the narrows\"\r\n"
                             "\"5\",\"6\",\"Station C\"\r\n";

QStringList TextsOf(const RecordingMessageBoxes &messages)
{
    QStringList texts;
    for (const test::ShownMessage &shown : messages.Shown)
        texts << shown.Text;
    return texts;
}

TEST(FlowAdmin, EncodingThreeLinesGivesFourAndDecodingGivesThemBack)
{
    TempProgramFolder folder;
    folder.WriteFile("temp.bmp", PlainFlow);
    RecordingMessageBoxes messages;

    EncryptFlowDatabase(folder.Info(), messages);

    const QByteArrayList plainLines = SplitFlowLines(PlainFlow);
    const QByteArrayList encoded = SplitFlowLines(folder.ReadFile("temp.bmp"));
    ASSERT_EQ(encoded.size(), 4);
    EXPECT_EQ(encoded[0], QByteArray("encrypted"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(encoded[i + 1], EncodeLine(plainLines[i]));
    EXPECT_TRUE(folder.ReadFile("temp.bmp").endsWith("\r\n"));
    EXPECT_EQ(TextsOf(messages), QStringList{"Encryption Completed"});
    EXPECT_FALSE(QFile::exists(folder.FilePath("tempt.bmp")));

    DecryptFlowDatabase(folder.Info(), messages);

    EXPECT_EQ(folder.ReadFile("temp.bmp"), PlainFlow);
    EXPECT_EQ(TextsOf(messages), QStringList({"Encryption Completed", "Decryption Completed"}));
    EXPECT_FALSE(QFile::exists(folder.FilePath("tempt.bmp")));
    for (const test::ShownMessage &shown : messages.Shown)
        EXPECT_EQ(shown.Title, QStringLiteral("Brenlow"));
}

TEST(FlowAdmin, EmptyLinesPassThroughBothWays)
{
    TempProgramFolder folder;
    const QByteArray plain = "\"a\"\r\n\r\n\"b\"\r\n";
    folder.WriteFile("temp.bmp", plain);
    RecordingMessageBoxes messages;

    EncryptFlowDatabase(folder.Info(), messages);
    EXPECT_EQ(SplitFlowLines(folder.ReadFile("temp.bmp")).at(2), QByteArray());
    DecryptFlowDatabase(folder.Info(), messages);
    EXPECT_EQ(folder.ReadFile("temp.bmp"), plain);
}

TEST(FlowAdmin, AlreadyConvertedFilesAreLeftUnchanged)
{
    struct Row
    {
        const char *what;
        bool encrypt;
        QByteArray content;
        QStringList messages;
    };
    const Row rows[] = {
        {"encoding an encoded file",
         true,
         "encrypted\r\nxyz\r\n",
         {"flow file temp.bmp is already encrypted", "Encryption Completed"}},
        {"decoding a plain file",
         false,
         PlainFlow,
         {"flow file temp.bmp is already not encrypted", "Decryption Completed"}},
        {"a capital E is no marker",
         false,
         "Encrypted\r\nxyz\r\n",
         {"flow file temp.bmp is already not encrypted", "Decryption Completed"}},
    };
    for (const Row &row : rows) {
        TempProgramFolder folder;
        folder.WriteFile("temp.bmp", row.content);
        RecordingMessageBoxes messages;
        if (row.encrypt)
            EncryptFlowDatabase(folder.Info(), messages);
        else
            DecryptFlowDatabase(folder.Info(), messages);
        EXPECT_EQ(folder.ReadFile("temp.bmp"), row.content) << row.what;
        EXPECT_EQ(TextsOf(messages), row.messages) << row.what;
    }
}

TEST(FlowAdmin, StaleScratchFileIsReplacedNotAppendedTo)
{
    TempProgramFolder folder;
    folder.WriteFile("temp.bmp", PlainFlow);
    folder.WriteFile("tempt.bmp", QByteArray(5000, 'j') + "\r\nleft over\r\n");
    RecordingMessageBoxes messages;

    EncryptFlowDatabase(folder.Info(), messages);

    const QByteArrayList lines = SplitFlowLines(folder.ReadFile("temp.bmp"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QByteArray("encrypted"));
    EXPECT_FALSE(QFile::exists(folder.FilePath("tempt.bmp")));
}

// Regression: a conversion that failed half-way used to leave no flow database at all.
TEST(FlowAdmin, ProblemsStopTheConversionAndKeepTheFlowDatabase)
{
    struct Row
    {
        const char *what;
        bool encrypt;
        std::optional<QByteArray> content; // nothing: no temp.bmp
        bool scratchIsBlocked;             // a folder in the place of tempt.bmp
        QString message;
    };
    const Row rows[] = {
        {"missing file", true, std::nullopt, false,
         "flow file temp.bmp was not found, nothing was converted"},
        {"missing file, decoding", false, std::nullopt, false,
         "flow file temp.bmp was not found, nothing was converted"},
        {"empty file", true, QByteArray(), false,
         "flow file temp.bmp is empty, nothing was converted"},
        {"marker only", false, "encrypted\r\n", false,
         "flow file temp.bmp holds only its encryption marker and no data, nothing was "
         "converted"},
        {"scratch file cannot be written, encoding", true, PlainFlow, true,
         "tempt.bmp could not be written, flow file temp.bmp was left unchanged"},
        {"scratch file cannot be written, decoding", false, "encrypted\r\nabc\r\n", true,
         "tempt.bmp could not be written, flow file temp.bmp was left unchanged"},
    };
    for (const Row &row : rows) {
        TempProgramFolder folder;
        if (row.content)
            folder.WriteFile("temp.bmp", *row.content);
        if (row.scratchIsBlocked) {
            QDir(folder.Info().Folder).mkpath(QStringLiteral("tempt.bmp/inside"));
        }
        RecordingMessageBoxes messages;
        if (row.encrypt)
            EncryptFlowDatabase(folder.Info(), messages);
        else
            DecryptFlowDatabase(folder.Info(), messages);

        EXPECT_EQ(TextsOf(messages), QStringList{row.message}) << row.what;
        if (row.content) {
            EXPECT_EQ(folder.ReadFile("temp.bmp"), *row.content) << row.what;
        } else {
            EXPECT_FALSE(QFile::exists(folder.FilePath("temp.bmp"))) << row.what;
        }
        EXPECT_EQ(QFileInfo(folder.FilePath("tempt.bmp")).isDir(), row.scratchIsBlocked)
            << row.what;
        if (!row.scratchIsBlocked) {
            EXPECT_FALSE(QFile::exists(folder.FilePath("tempt.bmp"))) << row.what;
        }
    }
}

TEST(SplitFlowLines, LinesEndAtCrLf)
{
    struct Row
    {
        QByteArray content;
        QByteArrayList lines;
    };
    const Row rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a\rb\r"}},
        {"\r\n", {""}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\nb\r\n", {"a\nb"}}, // a lone line feed belongs to its line
        {"a\r\n\r\n", {"a", ""}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(SplitFlowLines(row.content), row.lines) << row.content.toStdString();
}

} // namespace
} // namespace brenlow
