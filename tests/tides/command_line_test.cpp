// The built program's command line, run as a user runs it, under TZ=UTC.
#include "core/program_info.h"
#include "support/program_process.h"
#include "support/test_platform.h"
#include "tides/reference_table.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace brenlow {
namespace {

using test::ProgramOutput;
using test::RunProgram;

TEST(CommandLine, RefusesBadInputWithOneLine)
{
    const struct
    {
        QStringList Arguments;
        const char *Reason;
    } rows[] = {
        {{"--tides", "2026-02-30"}, "2026-02-30 is not a date"},
        {{"--tides", "1-6-2026"}, "1-6-2026 is not a date"},
        {{"--tides", "--days", "0"}, "--days needs a whole number of days from 1 to 366"},
        {{"--tides", "2026-06-01", "--days", "367"}, "from 1 to 366"},
        {{"--tides", "--days", "two"}, "from 1 to 366"},
        {{"--tides", "--days"}, "from 1 to 366"},
        {{"--tides", "2026-06-01", "--fast"}, "unknown option --fast"},
        {{"--tides", "2026-06-01", "2026-06-02"}, "unexpected argument 2026-06-02"},
        {{"--plot"}, "unknown option --plot"},
        {{"--version", "now"}, "unexpected argument now"},
    };
    for (const auto &row : rows) {
        const ProgramOutput run = RunProgram(row.Arguments);
        EXPECT_EQ(run.ExitCode, 2) << row.Reason;
        EXPECT_TRUE(run.Out.isEmpty()) << row.Reason;
        EXPECT_EQ(run.Err.count('\n'), 1) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(QLatin1String(row.Reason))) << run.Err.toStdString();
    }
    const ProgramOutput help = RunProgram({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    for (const char *option : {"--tides", "--plan", "--sweep", "--stream", "--version"})
        EXPECT_TRUE(help.Out.contains(QLatin1String(option))) << option;
    EXPECT_EQ(RunProgram({"-h"}).Out, help.Out);
    EXPECT_EQ(RunProgram({"--version"}).Out, QStringLiteral("Brenlow %1\n").arg(VersionText()));
}

// Guards against the command line refusing Qt's own arguments, which are the desktop program's.
TEST(CommandLine, LeavesQtsOwnArgumentsToTheDesktopProgram)
{
    // The desktop program's QApplication takes -platform, finds no such plugin and ends with
    // Qt's fatal error (an abort, without a core file here).
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
    });
    process.start(test::BuiltProgramFolder() + "/brenlow", {"-platform", "brenlow-no-such"});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << err.toStdString();
    EXPECT_TRUE(err.contains("brenlow-no-such")) << err.toStdString();
    EXPECT_FALSE(err.contains("unknown option")) << err.toStdString();
}

TEST(CommandLine, PrintsAMonthAsTheReferenceHasIt)
{
    const ProgramOutput run = RunProgram({"--tides", "2026-06-01", "--days", "30"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    static const QRegularExpression form(R"(^2026-06-\d\d \d\d:\d\d (HW|LW) \d\.\d\d$)");
    for (const QString &line : run.Out.split('\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(line.startsWith('#') || form.match(line).hasMatch()) << line.toStdString();

    std::vector<TideExtreme> reference;
    for (const TideExtreme &extreme : test::ReadReferenceTable("reference_extremes_full.txt"))
        if (extreme.Utc.date() < QDate(2026, 7, 1))
            reference.push_back(extreme);
    // All 50 constituents: where the four the reference reads differently move a flat turn,
    // its time must lie on the program's own flat turn (tests/tides/README.md).
    const auto constants =
        LoadTideConstants(test::BuiltProgramFolder() + "/" + TideConstantsFileName);
    ASSERT_TRUE(constants.Constants) << constants.Error.toStdString();
    const auto faults = test::Disagreements(reference, test::ReadExtremeTable(run.Out.toUtf8()),
                                            &*constants.Constants);
    for (const std::string &fault : faults)
        ADD_FAILURE() << fault;
}

TEST(CommandLine, SaysWhenTheConstantsFileIsMissingOrDamaged)
{
    const test::TempProgramFolder folder;
    const QString program = folder.FilePath("brenlow");
    ASSERT_TRUE(QFile::copy(test::BuiltProgramFolder() + "/brenlow", program));
    const ProgramOutput missing = RunProgram({"--tides"}, program);
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_TRUE(missing.Err.contains(folder.FilePath(TideConstantsFileName) + " is missing"));

    folder.WriteFile(TideConstantsFileName, "chart_datum LAT\ndatum MSL 3\nconstituent Q9 1 0\n");
    const ProgramOutput damaged = RunProgram({"--tides", "2026-06-01"}, program);
    EXPECT_EQ(damaged.ExitCode, 2);
    EXPECT_EQ(damaged.Err.count('\n'), 1);
    EXPECT_TRUE(damaged.Err.contains("portsmouth_tides.txt, line 3: unknown constituent Q9"))
        << damaged.Err.toStdString();
}

} // namespace
} // namespace brenlow
