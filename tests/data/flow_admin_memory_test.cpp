#include "data/flow_admin.h"

#include "data/flow_admin_support.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

// The conversion under a limit of the address space, in a test program of its own: a build
// with the address sanitizer reserves more address space than any such limit allows.
namespace brenlow {
namespace {

using test::Compare;
using test::InChild;
using test::RecordingMessageBoxes;
using test::ScratchFiles;
using test::TempProgramFolder;
using test::TextsOf;

// Bytes of address space the process holds.
rlim_t AddressSpace()
{
    long pages = 0;
    if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// Leaves the process headroom bytes for blocks of 256 KiB and more. What the heap holds free
// already is taken first, so the room is the same whatever ran before.
bool LeaveMemory(rlim_t headroom)
{
    rlimit limit = {};
    if (::getrlimit(RLIMIT_AS, &limit) != 0)
        return false;
    limit.rlim_cur = AddressSpace();
    if (limit.rlim_cur == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0)
        return false;
    void *volatile block = nullptr;
    do
        block = std::malloc(256 * 1024);
    while (block != nullptr);
    limit.rlim_cur = AddressSpace() + headroom;
    return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

// Regression: the conversion held the file about 2.5 times in memory and aborted on a large one.
TEST(FlowAdmin, MemoryDoesNotGrowWithTheFile)
{
    // Plain lines with LF ends, then one line of 4 MiB.
    QByteArray plain;
    while (plain.size() < 16 * 1024 * 1024)
        plain += "\"" + QByteArray::number(plain.size()) + "\",\"Station\xb0 description\"\n";
    plain += QByteArray(4 * 1024 * 1024, 'x') + "\n";
    const QByteArray small = "\"a\"\r\n";
    const QString noMemory =
        "there is not enough memory to convert flow file temp.bmp, it was left unchanged";
    struct Row
    {
        const char *what;
        const QByteArray &plain;
        rlim_t headroom;
        QStringList messages;
        QByteArray result;
    };
    const Row rows[] = {
        {"a file of 20 MiB with 8 MiB of memory left",
         plain,
         8 * 1024 * 1024,
         {"Encryption Completed", "Decryption Completed"},
         QByteArray(plain).replace("\n", "\r\n")},
        {"no memory for a piece of the file", small, 0, {noMemory, noMemory}, small},
    };
    for (const Row &row : rows) {
        TempProgramFolder folder;
        folder.WriteFile("temp.bmp", row.plain);
        const int result = InChild([&] {
            RecordingMessageBoxes messages;
            messages.Shown.reserve(2);
            if (!LeaveMemory(row.headroom))
                return 2;
            EncryptFlowDatabase(folder.Info(), messages);
            DecryptFlowDatabase(folder.Info(), messages);
            return Compare(TextsOf(messages), row.messages);
        });
        EXPECT_EQ(result, 0) << row.what;
        EXPECT_TRUE(folder.ReadFile("temp.bmp") == row.result) << row.what;
        EXPECT_EQ(ScratchFiles(folder.Info().Folder), QStringList()) << row.what;
    }
}

} // namespace
} // namespace brenlow
