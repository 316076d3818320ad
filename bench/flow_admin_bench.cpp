// The administrator's conversion of a large flow database: encoding and decoding it again,
// against the file's size. Each run is a child process, so that its peak resident memory
// (peak_rss_MiB) is its own; the baseline child copies the file, which shows what a child of
// this process holds without converting anything. The conversion's memory must not grow with
// the file.
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "data/flow_admin.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brenlow {
namespace {

class LastMessage : public MessageBoxes
{
public:
    void ShowMessage(const QString &text, const QString &, MessageIcon) override { Text = text; }
    bool Ask(const QString &) override { return false; }
    QString Text;
};

// A plain flow database of about megabytes MiB: station-like lines of 123 quoted fields.
bool WriteFlowDatabase(const QString &path, qint64 megabytes)
{
    QByteArray line;
    for (int field = 1; field <= 123; ++field)
        line += (field > 1 ? ",\"" : "\"") + QByteArray::number(field * 7 % 360) + "\"";
    line += "\r\n";
    QByteArray block;
    while (block.size() < (1 << 20))
        block += line;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (qint64 written = 0; written < megabytes << 20; written += block.size())
        if (file.write(block) != block.size())
            return false;
    return true;
}

// The peak resident memory of a child running body, in MiB; negative when body failed.
double PeakMiBOfChild(const std::function<bool()> &body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body() ? 0 : 1);
    int status = 0;
    rusage usage = {};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024; // ru_maxrss is in KiB
}

void RunInChildren(benchmark::State &state, const std::function<bool(const ProgramInfo &)> &body)
{
    QTemporaryDir dir;
    const ProgramInfo program{dir.path(), QStringLiteral("brenlow-bench")};
    const QString path = program.FilePath(QString::fromLatin1(FlowDatabaseFileName));
    if (!WriteFlowDatabase(path, state.range(0))) {
        state.SkipWithError("cannot write the flow database");
        return;
    }
    const qint64 bytes = QFile(path).size();
    double peak = 0;
    for (auto _ : state) {
        peak = PeakMiBOfChild([&] { return body(program); });
        if (peak < 0) {
            state.SkipWithError("the child failed");
            return;
        }
    }
    state.counters["peak_rss_MiB"] = peak;
    state.counters["file_MiB"] = static_cast<double>(bytes) / (1 << 20);
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_CopyFlowDatabaseBaseline(benchmark::State &state)
{
    RunInChildren(state, [](const ProgramInfo &program) {
        const QString copy = program.FilePath(QStringLiteral("copy.bmp"));
        const bool copied =
            QFile::copy(program.FilePath(QString::fromLatin1(FlowDatabaseFileName)), copy);
        return QFile::remove(copy) && copied;
    });
}

void BM_EncryptAndDecryptFlowDatabase(benchmark::State &state)
{
    RunInChildren(state, [](const ProgramInfo &program) {
        LastMessage messages;
        EncryptFlowDatabase(program, messages);
        const bool encrypted = messages.Text == QStringLiteral("Encryption Completed");
        DecryptFlowDatabase(program, messages);
        return encrypted && messages.Text == QStringLiteral("Decryption Completed");
    });
}

BENCHMARK(BM_CopyFlowDatabaseBaseline)
    ->Arg(64)
    ->Arg(256)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_EncryptAndDecryptFlowDatabase)
    ->Arg(64)
    ->Arg(256)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

} // namespace
} // namespace brenlow
