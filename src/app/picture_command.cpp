#include "app/picture_command.h"

#include "app/command_output.h"
#include "app/tide_label_sweep.h"
#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/installation_files.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/station_record.h"
#include "core/step_view.h"
#include "options/high_water_prediction.h"
#include "platform/printer_dialog.h"
#include "platform/recording_surface.h"
#include "platform/surface_printer.h"
#include "print/print_run.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <numeric>
#include <optional>
#include <variant>
#include <vector>

namespace brenlow {

const char PicturesUsage[] =
    "  --pictures DIR [--date YYYY-MM-DD] [--width PX]\n"
    "                 save the 25 half-hour steps of that day's first tide (default\n"
    "                 today) as PNG pictures of the whole chart, PX pixels wide\n"
    "                 (200 to 8000, default 1600), into the folder DIR; a file\n"
    "                 already there is never written over\n";

namespace {

constexpr std::int32_t HighWaterStep = 13;

// The chart surface without a window: no time labels or please-wait window to show.
class PictureStepView : public StepView, private TimeLabels
{
public:
    ImageSurface &Surface() override { return surface; }
    TimeLabels &Labels() override { return *this; }
    bool IsShown() const override { return false; }
    void ShowPleaseWait() override { }
    void ClosePleaseWait() override { }
    void StepDrawn() override { }

    RecordingSurface surface;

private:
    void SetShowingHw(const QString &) override { }
    void SetShowingTime(const QString &) override { }
    void SetHighWater(const QString &) override { }
};

// No printer is asked for: the pictures are written to files.
class NoPrinter : public PrinterDialog
{
public:
    bool Ask(QPrinter &) override { return false; }
};

// What the run would tell the user, kept for the one line on stderr; a question (whether to
// replace a file) is answered No.
class NotedMessages : public MessageBoxes
{
public:
    void ShowMessage(const QString &text, const QString &, MessageIcon) override { Last = text; }
    bool Ask(const QString &text) override
    {
        Last = text;
        return false;
    }
    QString Last;
};

struct PicturesOptions
{
    QString Folder;
    QDate Date = QDate::currentDate();
    int Width = DefaultPictureWidth;
};

// The options, or why they are wrong.
std::variant<PicturesOptions, QString> ReadOptions(const QStringList &arguments)
{
    PicturesOptions options;
    if (arguments.isEmpty() || arguments.front().startsWith(QLatin1String("--")))
        return QStringLiteral("--pictures needs the folder to write the pictures into");
    options.Folder = arguments.front();
    for (qsizetype index = 1; index < arguments.size(); index += 2) {
        const QString &option = arguments.at(index);
        const bool hasValue = index + 1 < arguments.size();
        const QString value = hasValue ? arguments.at(index + 1) : QString();
        if (option == QLatin1String("--date")) {
            static const QRegularExpression form(QStringLiteral(R"(^\d{4}-\d{2}-\d{2}$)"));
            options.Date = QDate::fromString(value, Qt::ISODate);
            if (!form.match(value).hasMatch() || !options.Date.isValid())
                return QStringLiteral("--date needs a date of the form YYYY-MM-DD");
        } else if (option == QLatin1String("--width")) {
            bool ok = false;
            options.Width = value.toInt(&ok);
            if (!ok || options.Width < SmallestPictureWidth || options.Width > LargestPictureWidth)
                return QStringLiteral("--width needs a whole number of pixels from %1 to %2")
                    .arg(SmallestPictureWidth)
                    .arg(LargestPictureWidth);
        } else {
            return option.startsWith(QLatin1Char('-'))
                ? QStringLiteral("unknown option %1 (see --help)").arg(option)
                : QStringLiteral("unexpected argument %1 (see --help)").arg(option);
        }
    }
    return options;
}

} // namespace

int RunPicturesCommand(const QStringList &arguments)
{
    const auto read = ReadOptions(arguments);
    if (const auto *wrong = std::get_if<QString>(&read))
        return Refuse(*wrong);
    const PicturesOptions &options = std::get<PicturesOptions>(read);
    if (const std::optional<QString> problem = FolderProblem(options.Folder))
        return Refuse(*problem);

    const ProgramInfo program = RunningProgramInfo();
    const DayPrediction prediction =
        HighWaterPredictor::FromProgramFolder(program).Predict(options.Date);
    if (!prediction.Available())
        return Refuse(QStringLiteral("no prediction for %1: %2")
                          .arg(options.Date.toString(Qt::ISODate), prediction.Unavailable));

    AppState state;
    if (const QString error = LoadChartTables(state, program); !error.isEmpty())
        return Refuse(error);
    state.BackdropPath = program.FilePath(QString::fromLatin1(BackdropFileName));
    const HighWaterTexts texts = PredictedTexts(prediction);
    state.HighWater1Text = texts.HighWater1;
    state.Height1Text = texts.Height1;
    state.HighWater2Text = texts.HighWater2;
    state.Height2Text = texts.Height2;
    state.HighWaterDay = HighWaterDay{options.Date, HighWaterOrigin::Predicted, QString()};
    state.CurrentStep = HighWaterStep;

    std::vector<std::int32_t> steps(StepCount);
    std::iota(steps.begin(), steps.end(), 1);
    const QDir folder(options.Folder);
    for (const std::int32_t step : steps) {
        const QString path = folder.filePath(StepPictureName(state, step));
        if (QFileInfo::exists(path))
            return Refuse(QStringLiteral("%1 is there already; pictures are never written over, "
                                         "so none was written")
                              .arg(path));
    }

    PictureStepView view;
    NoPrinter noPrinter;
    SurfacePrinter printer(view.surface, noPrinter,
                           [] { return QSize(OpeningViewWidth, OpeningViewHeight); });
    TideLabelSweep sweep(state);
    printer.SetLabelSweepSource([&sweep] { return sweep.Current(); });
    NotedMessages messages;
    if (SaveStepPictures(state, view, printer, printer, messages, steps, options.Folder,
                         options.Width, PageChoices{.FitToPage = false, .WholeChart = true})
        != PictureRunEnd::Saved)
        return Refuse(messages.Last.isEmpty() ? QStringLiteral("the pictures could not be saved")
                                              : messages.Last);
    PrintOut(QStringLiteral("%1 pictures saved in %2\n").arg(steps.size()).arg(options.Folder));
    return ExitDone;
}

} // namespace brenlow
