#include "app/startup.h"

#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/chart_surface.h"
#include "core/installation_files.h"
#include "core/message_boxes.h"
#include "core/pointer_shapes.h"
#include "core/rounding.h"
#include "core/settings_store.h"
#include "core/step_view.h"
#include "data/auxiliary_files.h"
#include "data/station_table.h"
#include "options/day_high_waters.h"
#include "options/stored_options.h"
#include "platform/rich_text_panel.h"
#include "render/redraw.h"
#include "tide/present_step.h"

#include <exception>
#include <optional>

namespace brenlow {
void ReadStartupSettings(AppState &state, const SettingsStore &settings, const QString &appName)
{
    ReadOptionsIntoState(state, settings, appName, QString::fromLatin1(StartupAnimSpeed));
}

void RunStartupSequence(AppState &state, AppServices &services, DayHighWaters &highWaters,
                        RichTextPanel &helpPanel, StepView &view)
{
    SetChartGeometry(state);

    state.BackdropPath = services.Program.FilePath(QString::fromLatin1(BackdropFileName));
    ReadStartupSettings(state, services.Settings, services.Program.AppName);
    highWaters.LoadConstants();
    if (const std::optional<QString> failure = highWaters.DateUndatedTypedValues())
        services.Messages.Inform(
            QStringLiteral("The date of the typed high waters could not be stored: ") + *failure);
    highWaters.Use(state);
    helpPanel.LoadFile(services.Program.FilePath(QString::fromLatin1(HelpFileName)));

    LoadStationTable(services.Program, services.Messages, state.StationTable);
    LoadPictureSpots(services.Program, state.PictureSpotTable);
    state.RateTableColumns = LoadRateTable(services.Program, state.RateTable);

    StepRedraw redraw(state, view, services.Messages);
    ShowOpeningStep(state, services.Clock, redraw);

    // Zoom first: the surface keeps the scroll offsets inside the magnified picture.
    ImageSurface &surface = view.Surface();
    surface.SetZoom(ZoomLevelPercent(state, FirstZoomLevel));
    surface.SetScrollY(NearestInt32(StartScrollY));
    surface.SetScrollX(NearestInt32(StartScrollX));

    services.Pointers.SetShape(PointerShape::Icon);
}

bool RunStartup(AppState &state, AppServices &services, DayHighWaters &highWaters,
                RichTextPanel &helpPanel, StepView &view)
{
    try {
        RunStartupSequence(state, services, highWaters, helpPanel, view);
        return true;
    } catch (const AppError &error) {
        FatalErrorReport(error, services.Messages);
    } catch (const std::exception &error) {
        // Anything else that stops start-up is reported the same way.
        FatalErrorReport(AppError(ErrorNumber::InternalError,
                                  ErrorMeaning(ErrorNumber::InternalError) + QStringLiteral(": ")
                                      + QString::fromLocal8Bit(error.what()),
                                  ErrorSource()),
                         services.Messages);
    }
    return false;
}

QString FatalErrorText(const AppError &error)
{
    // Concatenated, not formatted: a description may itself hold "%1".
    const QString lineBreak = QStringLiteral("\r\n");
    return QStringLiteral("Fatal Error Running Brenlow") + lineBreak + error.Description()
        + QLatin1Char(' ') + error.Source() + QLatin1Char(' ') + QString::number(error.Number())
        + lineBreak + QStringLiteral("Please contact Brenlow ")
        + QString::fromLatin1(SupportAddress) + QLatin1Char('.');
}

void FatalErrorReport(const AppError &error, MessageBoxes &messages)
{
    messages.Inform(FatalErrorText(error));
}

} // namespace brenlow
