#include "app/command_output.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "data/auxiliary_files.h"
#include "data/flow_database_files.h"
#include "data/station_table.h"

#include <cstdio>
#include <exception>

namespace brenlow {
namespace {

// The loaders' one message is the warning that the flow database is stored plain, which is
// meant for whoever set the program up at the desktop. The command line has no display, and
// its stderr holds only the one line of what stops it, so the warning goes unsaid. Nothing
// the command line runs asks a question; one would be answered No, which changes nothing.
class UnshownMessages : public MessageBoxes
{
public:
    void ShowMessage(const QString &, const QString &, MessageIcon) override { }
    bool Ask(const QString &) override { return false; }
};

} // namespace

void PrintOut(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

int Refuse(const QString &reason)
{
    QString line = reason;
    for (QChar &c : line)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    std::fputs(QStringLiteral("brenlow: %1\n").arg(line).toUtf8().constData(), stderr);
    return ExitBadInput;
}

QString LoadChartTables(AppState &state, const ProgramInfo &program)
{
    try {
        SetChartGeometry(state);
        UnshownMessages messages;
        LoadStationTable(program, messages, state.StationTable);
        // A missing flow database reads as one without stations.
        if (state.StationTable.size() < 2)
            return QStringLiteral("the flow database %1 holds no tidal stations")
                .arg(program.FilePath(QString::fromLatin1(FlowDatabaseFileName)));
        state.RateTableColumns = LoadRateTable(program, state.RateTable);
    } catch (const AppError &error) {
        return error.Description();
    } catch (const std::exception &error) {
        return QString::fromLocal8Bit(error.what());
    }
    return {};
}

} // namespace brenlow
