#include "plan/passage_plan_window.h"

#include "core/program_info.h"
#include "plan/plan_table.h"
#include "plan/sweep_plot.h"
#include "platform/house_style.h"
#include "platform/picture_button.h"
#include "platform/route_painter.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

namespace brenlow {
namespace {

constexpr int Margin = 16;
constexpr int InputHeight = 22;
constexpr int CaptionPixels = 11;
constexpr int TablePixels = 11;
constexpr double SlowestBoatKn = 0.5;
constexpr double FastestBoatKn = 30;
constexpr double LargestVariation = 30;
constexpr int MostSweepHours = 24; // each way, as the command line allows
constexpr QSize WordButton{96, 32};

QLabel *AddCaption(QWidget *window, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, window);
    label->setFont(House::Font(CaptionPixels, true));
    HouseStyle::Follow(label, [label] {
        label->setStyleSheet(QStringLiteral("color: %1;").arg(House::Now().Ink.name()));
    });
    label->setGeometry(geometry);
    return label;
}

} // namespace

PassagePlanWindow::PassagePlanWindow(const QDateTime &departureTime, QWidget *parent)
    : FramelessWindow(ClientSize, parent)
{
    setWindowTitle(ProgramTitleText() + QStringLiteral(" Passage plan"));
    SetBackgroundPainter(
        [] { return PaintFramelessBackground(ClientSize, QStringLiteral("Passage plan")); });
    const int right = ClientSize.width() - Margin;

    closebutton = AddPictureButton(ButtonArt::Close, QRect(right - 23, 12, 23, 18),
                                   QStringLiteral("Close the passage plan and leave plan mode"));

    AddCaption(this, QStringLiteral("Boat speed"), QRect(Margin, 54, 80, InputHeight));
    speed = new QDoubleSpinBox(this);
    speed->setObjectName(QStringLiteral("speed"));
    speed->setGeometry(96, 54, 90, InputHeight);
    speed->setRange(SlowestBoatKn, FastestBoatKn);
    speed->setSingleStep(0.5);
    speed->setDecimals(1);
    speed->setSuffix(QStringLiteral(" kn"));
    speed->setValue(DefaultBoatSpeedKn);
    speed->setToolTip(QStringLiteral("The boat's speed through the water"));

    AddCaption(this, QStringLiteral("Departs"), QRect(204, 54, 60, InputHeight));
    departure = new QDateTimeEdit(departureTime, this);
    departure->setObjectName(QStringLiteral("departure"));
    departure->setGeometry(264, 54, right - 264, InputHeight);
    departure->setDisplayFormat(QStringLiteral("ddd d MMM yyyy  HH:mm"));
    departure->setTimeSpec(Qt::LocalTime);
    departure->setToolTip(QStringLiteral("Local date and time of departure"));

    magnetic = new QCheckBox(QStringLiteral("Magnetic, variation"), this);
    magnetic->setObjectName(QStringLiteral("magnetic"));
    magnetic->setFont(House::Font(CaptionPixels, true));
    magnetic->setGeometry(Margin, 86, 150, InputHeight);
    variation = new QDoubleSpinBox(this);
    variation->setObjectName(QStringLiteral("variation"));
    variation->setGeometry(166, 86, 90, InputHeight);
    variation->setRange(-LargestVariation, LargestVariation);
    variation->setSingleStep(0.5);
    variation->setDecimals(1);
    variation->setSuffix(QStringLiteral("\u00b0"));
    variation->setEnabled(false);
    variation->setToolTip(QStringLiteral("Degrees, east positive: -1.5 is 1.5\u00b0 W"));

    AddCaption(this, QStringLiteral("Sweep \u00b1"), QRect(300, 86, 60, InputHeight));
    sweephours = new QSpinBox(this);
    sweephours->setObjectName(QStringLiteral("sweephours"));
    sweephours->setGeometry(360, 86, right - 360, InputHeight);
    sweephours->setRange(1, MostSweepHours);
    sweephours->setSuffix(QStringLiteral(" h"));
    sweephours->setValue(DefaultSweepHours);
    sweephours->setToolTip(QStringLiteral("Departures every 10 minutes this many hours each way"));

    highwaters = new QLabel(this);
    highwaters->setObjectName(QStringLiteral("highwaters"));
    highwaters->setFont(House::Font(CaptionPixels - 1));
    highwaters->setGeometry(Margin, 116, right - Margin, 16);

    legs = new QTableWidget(this);
    legs->setObjectName(QStringLiteral("legs"));
    legs->setGeometry(Margin, 136, right - Margin, 236);
    legs->setFont(House::Font(TablePixels));
    legs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    legs->setSelectionMode(QAbstractItemView::NoSelection);
    legs->setFocusPolicy(Qt::NoFocus);
    legs->verticalHeader()->hide();
    legs->verticalHeader()->setDefaultSectionSize(18);
    legs->horizontalHeader()->setFont(House::Font(TablePixels, true));
    legs->horizontalHeader()->setStretchLastSection(true);

    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setFont(House::Font(CaptionPixels + 1, true));
    summary->setWordWrap(true);
    summary->setGeometry(Margin, 376, right - Margin, 40);
    HouseStyle::Follow(summary, [this] { ColourSummary(); });

    sweep = new SweepPlot(this);
    sweep->setObjectName(QStringLiteral("sweep"));
    sweep->setGeometry(Margin, 420, right - Margin, 142);
    sweep->setToolTip(QStringLiteral("Passage time by departure; the ring marks the quickest"));

    const int buttonsTop = ClientSize.height() - Margin - WordButton.height();
    const int pitch = (right - Margin - WordButton.width()) / 3;
    openbutton = AddPictureButton(ButtonArt::Open, QRect(QPoint(Margin, buttonsTop), WordButton),
                                  QStringLiteral("Open a route from a GPX file"));
    savebutton =
        AddPictureButton(ButtonArt::Save, QRect(QPoint(Margin + pitch, buttonsTop), WordButton),
                         QStringLiteral("Save the route as a GPX file"));
    clearbutton = AddPictureButton(ButtonArt::Clear,
                                   QRect(QPoint(Margin + 2 * pitch, buttonsTop), WordButton),
                                   QStringLiteral("Remove every route point"));
    printbutton = AddPictureButton(ButtonArt::PrintPages,
                                   QRect(QPoint(Margin + 3 * pitch, buttonsTop), WordButton),
                                   QStringLiteral("Print the chart with the track, and the plan"));

    connect(closebutton, &QAbstractButton::clicked, this, &PassagePlanWindow::closebutton_Click);
    connect(speed, &QDoubleSpinBox::valueChanged, this, &PassagePlanWindow::SettingsChanged);
    connect(departure, &QDateTimeEdit::dateTimeChanged, this, &PassagePlanWindow::SettingsChanged);
    connect(magnetic, &QCheckBox::toggled, this, [this](bool on) {
        variation->setEnabled(on);
        Q_EMIT SettingsChanged();
    });
    connect(variation, &QDoubleSpinBox::valueChanged, this, [this] {
        if (magnetic->isChecked())
            Q_EMIT SettingsChanged();
    });
    connect(sweephours, &QSpinBox::valueChanged, this, &PassagePlanWindow::SettingsChanged);
    ClearDrag();
}

PassageSettings PassagePlanWindow::Settings() const
{
    PassageSettings settings;
    settings.BoatSpeedKn = speed->value();
    const QDateTime chosen = departure->dateTime();
    settings.Departure = QDateTime(
        chosen.date(), QTime(chosen.time().hour(), chosen.time().minute()), Qt::LocalTime);
    if (magnetic->isChecked())
        settings.VariationDegrees = variation->value();
    settings.SweepHours = sweephours->value();
    return settings;
}

void PassagePlanWindow::ShowHighWaters(const QString &text)
{
    highwaters->setText(text);
}

void PassagePlanWindow::ShowPlan(const PlanTable &table)
{
    legs->setColumnCount(static_cast<int>(table.Header.size()));
    legs->setHorizontalHeaderLabels(table.Header);
    legs->setRowCount(static_cast<int>(table.Rows.size()));
    for (int row = 0; row < legs->rowCount(); ++row) {
        const QStringList &cells = table.Rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < cells.size(); ++column) {
            QTableWidgetItem *item = legs->item(row, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                legs->setItem(row, column, item);
            }
            item->setText(cells[column]);
        }
    }
    legs->resizeColumnsToContents();
    summary->setText(table.Summary);
    summaryFailed_ = table.Failed;
    ColourSummary();
}

void PassagePlanWindow::ColourSummary()
{
    const QColor ink = summaryFailed_
        ? House::InkOnGround(RouteFailureColour, HouseStyle::Instance().Scheme())
        : House::Now().Ink;
    summary->setStyleSheet(QStringLiteral("color: %1;").arg(ink.name()));
}

} // namespace brenlow
