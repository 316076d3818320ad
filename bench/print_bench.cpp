// A print run as the print button does it on the real installation, printing to a PDF file
// through the printer dialog's choice, at the view the program starts with (zoom level 1, where
// a page holds the largest part of the chart picture): one page (the step shown) against all of
// option 2 (25 pages). Reports the file sizes; the chart picture is the same on every page and
// should be stored once, so the 25-page file stays within 3 times the one-page file. The same
// for the atlas (whole chart fitted to the page), and the 25 steps saved as pictures 1600 pixels
// wide.
//
//   build/bench/brenlow_bench --benchmark_filter='PrintRun|StepPictures'

#include "app/main_screen.h"
#include "app/startup.h"
#include "bench_window.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/settings_store.h"
#include "platform/printer_dialog.h"
#include "platform/qt_pointer_shapes.h"
#include "platform/surface_printer.h"
#include "print/print_run.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <numeric>
#include <stdexcept>

namespace brenlow {
namespace {

// The user choosing a PDF file in the printer dialog.
class PdfFileChoice : public PrinterDialog
{
public:
    explicit PdfFileChoice(QString path) : path_(std::move(path)) { }
    bool Ask(QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path_);
        return true;
    }

private:
    QString path_;
};

PrintBoxes OnePage()
{
    PrintBoxes boxes{};
    boxes[1] = true;
    return boxes;
}

PrintBoxes AllOfOption2()
{
    PrintBoxes boxes{};
    boxes[1] = true;
    for (int box = FirstFixedBox; box <= HalfHoursBox; ++box)
        boxes[static_cast<std::size_t>(box)] = true;
    return boxes;
}

// The main window on the built program folder, just started.
struct PrintingWindow : bench::MainWindowRun
{
    PrintingWindow() : bench::MainWindowRun(&printer)
    {
        screen->show();
        state.HighWater1Text = QStringLiteral("10:00");
    }

    // One run; the size of the file it wrote, in bytes.
    qint64 Run(const PrintBoxes &boxes, const PageChoices &choices = {})
    {
        if (PrintSelectedSteps(state, screen->View(), screen->Printing(), messages, boxes, choices)
            != PrintRunEnd::Printed)
            throw std::runtime_error("the print run failed");
        return QFileInfo(pdf).size();
    }

    static inline QTemporaryDir pages;
    static inline QString pdf = pages.filePath(QStringLiteral("pages.pdf"));
    static inline PdfFileChoice printer{pdf};
};

void BM_PrintRun_Real(benchmark::State &st, const PrintBoxes &boxes, PageChoices choices)
{
    PrintingWindow window;
    const double onePage = double(window.Run(OnePage(), choices));
    qint64 bytes = 0;
    for (auto _ : st)
        bytes = window.Run(boxes, choices);
    st.counters["pdf_bytes"] = double(bytes);
    st.counters["x_one_page"] = double(bytes) / onePage;
}
constexpr PageChoices Atlas{.FitToPage = true, .WholeChart = true};
BENCHMARK_CAPTURE(BM_PrintRun_Real, OnePage, OnePage(), PageChoices{})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_PrintRun_Real, 25Pages, AllOfOption2(), PageChoices{})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_PrintRun_Real, AtlasOnePage, OnePage(), Atlas)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_PrintRun_Real, Atlas25Pages, AllOfOption2(), Atlas)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The 25 steps of the whole chart saved as pictures 1600 pixels wide, as the print window's
// Save pictures writes them (and --pictures).
void BM_StepPictures_Real(benchmark::State &st)
{
    PrintingWindow window;
    std::vector<std::int32_t> steps(StepCount);
    std::iota(steps.begin(), steps.end(), 1);
    auto &printer = dynamic_cast<SurfacePrinter &>(window.screen->Printing());
    for (auto _ : st) {
        st.PauseTiming();
        QTemporaryDir folder;
        st.ResumeTiming();
        if (SaveStepPictures(window.state, window.screen->View(), printer, printer, window.messages,
                             steps, folder.path(), DefaultPictureWidth,
                             PageChoices{.WholeChart = true})
            != PictureRunEnd::Saved)
            throw std::runtime_error("the pictures were not saved");
        st.PauseTiming();
        if (QDir(folder.path()).entryList(QDir::Files).size() != StepCount)
            throw std::runtime_error("not a picture a step");
        st.ResumeTiming();
    }
}
BENCHMARK(BM_StepPictures_Real)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
} // namespace brenlow
