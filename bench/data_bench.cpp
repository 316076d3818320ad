// Loading the flow database at start-up: time against the number of stations, plain and
// encoded. The parse alone (content already in memory) is the baseline that shows what the
// file read and the codec add.
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "data/line_codec.h"
#include "data/station_table.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace brenlow {
namespace {

class SilentMessageBoxes : public MessageBoxes
{
public:
    void ShowMessage(const QString &, const QString &, MessageIcon) override { }
    bool Ask(const QString &) override { return false; }
};

// A station line as a data supplier writes it: position, 25 rates, directions and heights,
// a title, a paragraph of description and the unused fields filled.
QByteArray StationLine(int number)
{
    QByteArrayList fields;
    fields << QByteArray("001 ") + QByteArray::number(10 + number % 40) + ".25W"
           << QByteArray("50 ") + QByteArray::number(35 + number % 20) + ".50N";
    for (int step = 1; step <= StepCount; ++step)
        fields << QByteArray::number(((number + step) % 40) / 10.0, 'f', 1);
    for (int step = 1; step <= StepCount; ++step)
        fields << QByteArray::number((number * 7 + step * 14) % 360);
    fields << "Station " + QByteArray::number(number) + " off the Needles";
    for (int i = 0; i < 8; ++i)
        fields << "x";
    for (int step = 1; step <= StepCount; ++step)
        fields << (step % 5 == 0 ? QByteArray() : QByteArray("4.3"));
    for (int i = 0; i < 27; ++i)
        fields << "";
    fields << "Stream sets 090\xb0 True at springs; eddies form close inshore on the flood and "
              "the rate given is the mean of observations over several tides near the station.";
    for (int i = 0; i < 9; ++i)
        fields << "0";
    return '"' + fields.join("\",\"") + '"';
}

QByteArray FlowDatabase(int stations, bool encoded)
{
    QByteArray content;
    if (encoded)
        content += QByteArray(EncodedMarker) + "\r\n";
    for (int number = 1; number <= stations; ++number) {
        const QByteArray line = StationLine(number);
        content += (encoded ? EncodeLine(line) : line) + "\r\n";
    }
    return content;
}

void LoadFlowDatabase(benchmark::State &state, bool encoded)
{
    const int stations = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const ProgramInfo program{dir.path(), QStringLiteral("brenlow-bench")};
    const QByteArray content = FlowDatabase(stations, encoded);
    QFile file(program.FilePath(QString::fromLatin1(FlowDatabaseFileName)));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        state.SkipWithError("cannot write the flow database");
        return;
    }
    file.close();

    SilentMessageBoxes messages;
    for (auto _ : state) {
        StationTable table;
        LoadStationTable(program, messages, table);
        benchmark::DoNotOptimize(table.data());
        if (LastIndex(table) != stations)
            state.SkipWithError("wrong number of stations");
    }
    state.SetComplexityN(stations);
    state.SetBytesProcessed(state.iterations() * content.size());
}

void ParseFlowDatabaseInMemory(benchmark::State &state)
{
    const int stations = static_cast<int>(state.range(0));
    const QByteArray content = FlowDatabase(stations, false);
    const QString fileName = QString::fromLatin1(FlowDatabaseFileName);
    for (auto _ : state) {
        StationTable table;
        ParseStationTable(content, fileName, table);
        benchmark::DoNotOptimize(table.data());
    }
    state.SetComplexityN(stations);
    state.SetBytesProcessed(state.iterations() * content.size());
}

void BM_LoadFlowDatabasePlain(benchmark::State &state)
{
    LoadFlowDatabase(state, false);
}

void BM_LoadFlowDatabaseEncoded(benchmark::State &state)
{
    LoadFlowDatabase(state, true);
}

BENCHMARK(ParseFlowDatabaseInMemory)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(20'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_LoadFlowDatabasePlain)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(20'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_LoadFlowDatabaseEncoded)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(20'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
} // namespace brenlow
