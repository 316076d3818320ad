#include "data/flow_admin.h"

#include "data/flow_admin_support.h"
#include "data/line_codec.h"
#include "support/test_platform.h"

#include <QByteArrayList>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace brenlow {
namespace {

using test::Compare;
using test::InChild;
using test::RecordingMessageBoxes;
using test::ScratchFiles;
using test::TempProgramFolder;
using test::TextsOf;
using Direction = FlowLineTranscoder::Direction;

// The lines of a converted file, without their CR LF.
QByteArrayList Lines(const QByteArray &content)
{
    QByteArrayList lines;
    for (const QByteArrayView line : SplitFileLines(content))
        lines << line.toByteArray();
    if (content.endsWith("\r\n"))
        lines.removeLast();
    return lines;
}

const QByteArray PlainFlow = "\"1\",\"2\",\"Station A\"\r\n"
                             "\"3\",\"4\",\"Station B, the narrows\"\r\n"
                             "\"5\",\"6\",\"Station C\"\r\n";

// Regression: a plain file with LF line ends, or with CR line ends, came back as one line.
TEST(FlowAdmin, EncodingThreeLinesGivesFourAndDecodingGivesThemBack)
{
    struct Row
    {
        const char *what;
        QByteArray plain;
    };
    const Row rows[] = {
        {"CR LF line ends", PlainFlow},
        {"LF line ends", QByteArray(PlainFlow).replace("\r\n", "\n")},
        {"CR line ends", QByteArray(PlainFlow).replace("\r\n", "\r")},
        {"no line end after the last line", PlainFlow.chopped(2)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        TempProgramFolder folder;
        folder.WriteFile("temp.bmp", row.plain);
        RecordingMessageBoxes messages;

        EncryptFlowDatabase(folder.Info(), messages);

        const QByteArrayList plainLines = Lines(PlainFlow);
        const QByteArrayList encoded = Lines(folder.ReadFile("temp.bmp"));
        ASSERT_EQ(encoded.size(), 4);
        EXPECT_EQ(encoded[0], QByteArray("encrypted"));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(encoded[i + 1], EncodeLine(plainLines[i]));
        EXPECT_TRUE(folder.ReadFile("temp.bmp").endsWith("\r\n"));
        EXPECT_EQ(TextsOf(messages), QStringList{"Encryption Completed"});
        EXPECT_EQ(ScratchFiles(folder.Info().Folder), QStringList());

        DecryptFlowDatabase(folder.Info(), messages);

        EXPECT_EQ(folder.ReadFile("temp.bmp"), PlainFlow);
        EXPECT_EQ(TextsOf(messages), QStringList({"Encryption Completed", "Decryption Completed"}));
        EXPECT_EQ(ScratchFiles(folder.Info().Folder), QStringList());
        for (const test::ShownMessage &shown : messages.Shown)
            EXPECT_EQ(shown.Title, QStringLiteral("Brenlow"));
    }
}

TEST(FlowAdmin, EmptyLinesPassThroughBothWays)
{
    TempProgramFolder folder;
    const QByteArray plain = "\"a\"\r\n\r\n\"b\"\r\n";
    folder.WriteFile("temp.bmp", plain);
    RecordingMessageBoxes messages;

    EncryptFlowDatabase(folder.Info(), messages);
    EXPECT_EQ(Lines(folder.ReadFile("temp.bmp")).at(2), QByteArray());
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

// A crash leaves its scratch file behind; the next conversion neither uses nor blocks on it.
TEST(FlowAdmin, ScratchFilesLeftBehindAreLeftAlone)
{
    TempProgramFolder folder;
    folder.WriteFile("temp.bmp", PlainFlow);
    const QStringList leftBehind = {"tempt.bmp", "tempt.x6A0bQ"};
    for (const QString &name : leftBehind)
        folder.WriteFile(name, "left over\r\n");
    RecordingMessageBoxes messages;
    EncryptFlowDatabase(folder.Info(), messages);
    EXPECT_EQ(TextsOf(messages), QStringList{"Encryption Completed"});
    EXPECT_EQ(Lines(folder.ReadFile("temp.bmp")).size(), 4);
    EXPECT_EQ(ScratchFiles(folder.Info().Folder), leftBehind);
}

// Regression: a conversion that failed half-way used to leave no flow database at all.
TEST(FlowAdmin, ProblemsStopTheConversionAndKeepTheFlowDatabase)
{
    struct Row
    {
        const char *what;
        bool encrypt;
        std::optional<QByteArray> content; // nothing: no temp.bmp
        QString message;
    };
    const Row rows[] = {
        {"missing file", true, std::nullopt,
         "flow file temp.bmp was not found, nothing was converted"},
        {"missing file, decoding", false, std::nullopt,
         "flow file temp.bmp was not found, nothing was converted"},
        {"empty file", true, QByteArray(), "flow file temp.bmp is empty, nothing was converted"},
        {"marker only", false, "encrypted\r\n",
         "flow file temp.bmp holds only its encryption marker and no data, nothing was "
         "converted"},
    };
    for (const Row &row : rows) {
        TempProgramFolder folder;
        if (row.content)
            folder.WriteFile("temp.bmp", *row.content);
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
        EXPECT_EQ(ScratchFiles(folder.Info().Folder), QStringList()) << row.what;
    }
}

// Regression: a FIFO in the place of the flow file blocked the conversion until a writer came.
TEST(FlowAdmin, AFlowFileThatIsNotAFileIsRefusedAtOnce)
{
    TempProgramFolder folder;
    const test::FifoGuard fifo(folder.FilePath("temp.bmp"));
    RecordingMessageBoxes messages;
    EncryptFlowDatabase(folder.Info(), messages);
    EXPECT_EQ(TextsOf(messages),
              QStringList{"flow file temp.bmp is not a file, nothing was converted"});
    EXPECT_FALSE(fifo.Released()) << "the conversion waited on the FIFO";
}

// The converted lines are the same however the file is cut into pieces.
TEST(FlowLineTranscoder, LinesEndTheSameWhereverThePiecesAreCut)
{
    struct Row
    {
        const char *what;
        Direction direction;
        QByteArray input;
        QByteArrayList lines; // the plain lines: the output, or its input when encoding
    };
    const auto e = [](const char *text) { return EncodeLine(text); };
    const Row rows[] = {
        {"empty", Direction::Decode, "", {}},
        {"one line without break", Direction::Decode, e("a"), {"a"}},
        {"final break ends the file", Direction::Decode, e("a") + "\r\n", {"a"}},
        {"last line without break", Direction::Decode, e("a") + "\r\n" + e("b"), {"a", "b"}},
        {"lone CRs are dropped", Direction::Decode, e("a") + "\r" + e("b") + "\r", {"ab"}},
        {"only a break", Direction::Decode, "\r\n", {""}},
        {"empty lines pass",
         Direction::Decode,
         e("a") + "\r\n\r\n" + e("b") + "\r\n",
         {"a", "", "b"}},
        {"an LF inside an encoded line does not end it",
         Direction::Decode,
         e("a") + "\n" + e("b") + "\r\n",
         {"ab"}},
        {"empty last line", Direction::Decode, e("a") + "\r\n\r\n", {"a", ""}},
        {"CR before the break", Direction::Decode, e("a") + "\r\r\n", {"a"}},
        {"CR LF", Direction::Encode, "a\r\nb\r\n", {"a", "b"}},
        {"LF alone ends a plain line", Direction::Encode, "a\nb\n", {"a", "b"}},
        {"last plain line without break", Direction::Encode, "a\nb", {"a", "b"}},
        {"empty plain lines", Direction::Encode, "a\n\nb\r\n\r\n", {"a", "", "b", ""}},
        {"lone CR ends a plain line", Direction::Encode, "a\rb\r\n", {"a", "b"}},
        {"CR line ends", Direction::Encode, "a\rb\r\rc", {"a", "b", "", "c"}},
        {"lone CR before CR LF", Direction::Encode, "a\r\r\n", {"a", ""}},
        {"only a CR", Direction::Encode, "\r", {""}},
        {"only an LF", Direction::Encode, "\n", {""}},
    };
    for (const Row &row : rows) {
        QByteArray expected;
        for (const QByteArray &line : row.lines)
            expected += (row.direction == Direction::Encode ? EncodeLine(line) : line) + "\r\n";
        for (qsizetype cut = 0; cut <= row.input.size(); ++cut) {
            FlowLineTranscoder transcoder(row.direction);
            QByteArray out = transcoder.Feed(QByteArrayView(row.input).first(cut));
            out += transcoder.Feed(QByteArrayView(row.input).sliced(cut));
            out += transcoder.Finish();
            EXPECT_EQ(out, expected) << row.what << ", cut at " << cut;
        }
    }
}

// Regression: a 0600 file came back 0644, and owned by whoever converted it.
TEST(FlowAdmin, ConversionKeepsTheModeAndOwner)
{
    const bool root = ::geteuid() == 0;
    for (const mode_t mode : {0600, 0640, 0755}) {
        TempProgramFolder folder;
        folder.WriteFile("temp.bmp", PlainFlow);
        const QByteArray path = QFile::encodeName(folder.FilePath("temp.bmp"));
        ASSERT_EQ(::chmod(path.constData(), mode), 0);
        // Only root can give the file away; others keep their own.
        const uid_t owner = root ? 65534 : ::getuid();
        const gid_t group = root ? 65534 : ::getgid();
        ASSERT_EQ(::chown(path.constData(), owner, group), 0);
        RecordingMessageBoxes messages;
        EncryptFlowDatabase(folder.Info(), messages);
        EXPECT_EQ(TextsOf(messages), QStringList{"Encryption Completed"});
        struct stat converted = {};
        ASSERT_EQ(::stat(path.constData(), &converted), 0);
        EXPECT_EQ(converted.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(converted.st_uid, owner);
        EXPECT_EQ(converted.st_gid, group);
    }
}

// Root writes anywhere: the child meets a user's permissions as nobody.
bool BecomeUnprivileged()
{
    constexpr uid_t nobody = 65534;
    return ::geteuid() != 0
        || (::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0);
}

// An installed program's folder is not the user's to write.
TEST(FlowAdmin, AFolderOrFileThatCannotBeWrittenIsNamedAndLeftAsItWas)
{
    struct Row
    {
        const char *what;
        mode_t folderMode;
        mode_t fileMode;
        QString message;
    };
    const Row rows[] = {
        {"read-only program folder", 0555, 0666,
         "tempt.bmp could not be written in the program folder <folder> (Permission denied), "
         "flow file temp.bmp was left unchanged"},
        {"write-protected flow file", 0777, 0444,
         "flow file temp.bmp in the program folder <folder> cannot be written (Permission "
         "denied), it was left unchanged"},
    };
    for (const Row &row : rows) {
        TempProgramFolder folder;
        folder.WriteFile("temp.bmp", PlainFlow);
        const QByteArray folderPath = QFile::encodeName(folder.Info().Folder);
        ASSERT_EQ(::chmod(QFile::encodeName(folder.FilePath("temp.bmp")).constData(), row.fileMode),
                  0);
        ASSERT_EQ(::chmod(folderPath.constData(), row.folderMode), 0);
        const QString message = QString(row.message).replace("<folder>", folder.Info().Folder);
        const int result = InChild([&] {
            if (!BecomeUnprivileged() || ::access(folderPath.constData(), R_OK | X_OK) != 0)
                return 77;
            RecordingMessageBoxes messages;
            EncryptFlowDatabase(folder.Info(), messages);
            return Compare(TextsOf(messages), {message});
        });
        ::chmod(folderPath.constData(), 0700);
        if (result == 77)
            GTEST_SKIP() << "no unprivileged user to run as";
        EXPECT_EQ(result, 0) << row.what;
        EXPECT_EQ(folder.ReadFile("temp.bmp"), PlainFlow) << row.what;
        EXPECT_EQ(ScratchFiles(folder.Info().Folder), QStringList()) << row.what;
    }
}

// Regression: converting through a link put a plain file in the link's place and left the
// linked file as it was.
TEST(FlowAdmin, ALinkedFlowFileIsConvertedWhereItIsAndTheLinkKept)
{
    TempProgramFolder folder;
    ASSERT_TRUE(QDir(folder.Info().Folder).mkdir("elsewhere"));
    folder.WriteFile("elsewhere/flow.bmp", PlainFlow);
    const QByteArray link = QFile::encodeName(folder.FilePath("temp.bmp"));
    ASSERT_EQ(::symlink("elsewhere/flow.bmp", link.constData()), 0);
    const QString linked = QFileInfo(folder.FilePath("elsewhere/flow.bmp")).canonicalFilePath();
    const QString elsewhere = QFileInfo(linked).absolutePath();
    RecordingMessageBoxes messages;

    EncryptFlowDatabase(folder.Info(), messages);
    EXPECT_EQ(TextsOf(messages), QStringList{"Encryption Completed"});
    EXPECT_EQ(QFileInfo(folder.FilePath("temp.bmp")).symLinkTarget(), linked);
    EXPECT_EQ(Lines(folder.ReadFile("elsewhere/flow.bmp")).value(0), QByteArray("encrypted"));
    EXPECT_EQ(ScratchFiles(folder.Info().Folder) + ScratchFiles(elsewhere), QStringList());

    // The linked file's folder is the one that must take the scratch file.
    ASSERT_EQ(::chmod(QFile::encodeName(linked).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(elsewhere).constData(), 0555), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder.Info().Folder).constData(), 0777), 0);
    const QByteArray encoded = folder.ReadFile("elsewhere/flow.bmp");
    const int result = InChild([&] {
        if (!BecomeUnprivileged())
            return 77;
        RecordingMessageBoxes unprivileged;
        DecryptFlowDatabase(folder.Info(), unprivileged);
        return Compare(TextsOf(unprivileged),
                       {"tempt.bmp could not be written in the folder " + elsewhere
                        + " that temp.bmp links to (Permission denied), flow file temp.bmp was "
                          "left unchanged"});
    });
    ::chmod(QFile::encodeName(elsewhere).constData(), 0755);
    ::chmod(QFile::encodeName(folder.Info().Folder).constData(), 0700);
    if (result == 77)
        GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(folder.ReadFile("elsewhere/flow.bmp"), encoded);
    EXPECT_EQ(ScratchFiles(folder.Info().Folder) + ScratchFiles(elsewhere), QStringList());
}

// Regression: a scratch file that did not fit on the disk was reported as "(Unknown error)".
TEST(FlowAdmin, AFullDiskIsSaidPlainly)
{
    TempProgramFolder folder;
    QByteArray plain;
    while (plain.size() < 40 * 1024)
        plain += PlainFlow;
    const QString message = "tempt.bmp could not be written in the program folder "
        + folder.Info().Folder + " (the disk is full), flow file temp.bmp was left unchanged";
    const int result = InChild([&] {
        // A disk of 64 KiB in the program folder's place, seen by this process only.
        const QByteArray path = QFile::encodeName(folder.Info().Folder);
        if (::unshare(CLONE_NEWNS) != 0
            || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") != 0)
            return 77;
        folder.WriteFile("temp.bmp", plain);
        RecordingMessageBoxes messages;
        EncryptFlowDatabase(folder.Info(), messages);
        if (folder.ReadFile("temp.bmp") != plain || !ScratchFiles(folder.Info().Folder).isEmpty())
            return 2;
        return Compare(TextsOf(messages), {message});
    });
    if (result == 77)
        GTEST_SKIP() << "no small disk can be mounted here";
    EXPECT_EQ(result, 0);
}

// Regression: a second conversion removed the first one's scratch file, and the first then
// said the flow file was left unchanged although the second had replaced it.
TEST(FlowAdmin, TwoConversionsAtOnceBothComplete)
{
    TempProgramFolder folder;
    QByteArray plain;
    while (plain.size() < 32 * 1024 * 1024)
        plain += PlainFlow;
    folder.WriteFile("temp.bmp", plain);
    FlowLineTranscoder encoder(Direction::Encode);
    const QByteArray encoded = "encrypted\r\n" + encoder.Feed(plain) + encoder.Finish();

    // The first is held once its scratch file is there; the second runs meanwhile.
    std::fflush(nullptr);
    const pid_t first = ::fork();
    if (first == 0) {
        RecordingMessageBoxes messages;
        EncryptFlowDatabase(folder.Info(), messages);
        ::_exit(Compare(TextsOf(messages), {"Encryption Completed"}));
    }
    const QDeadlineTimer deadline(std::chrono::seconds(60));
    while (ScratchFiles(folder.Info().Folder).isEmpty() && !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::kill(first, SIGSTOP);
    int status = 0;
    const bool held = ::waitpid(first, &status, WUNTRACED) == first && WIFSTOPPED(status);
    RecordingMessageBoxes messages;
    if (held)
        EncryptFlowDatabase(folder.Info(), messages);
    ::kill(first, SIGCONT);
    ::waitpid(first, &status, 0);
    ASSERT_TRUE(held) << "the first conversion was not caught at work";

    EXPECT_EQ(TextsOf(messages), QStringList{"Encryption Completed"});
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the first conversion";
    EXPECT_TRUE(folder.ReadFile("temp.bmp") == encoded);
    EXPECT_EQ(ScratchFiles(folder.Info().Folder), QStringList());
}

} // namespace
} // namespace brenlow
