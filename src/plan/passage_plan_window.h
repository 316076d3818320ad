#pragma once

#include "platform/frameless_window.h"

#include <QDateTime>

#include <optional>

class QCheckBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace brenlow {

struct PlanTable;
class SweepPlot;

// What the user sets for a passage in the panel.
struct PassageSettings
{
    double BoatSpeedKn = 0;
    QDateTime Departure;                    // local, to the minute
    std::optional<double> VariationDegrees; // east positive; when magnetic courses are wanted
    int SweepHours = 0;                     // each way
};

// The passage planner's panel: a modeless frameless window "Passage plan" beside the main
// window, with the boat's speed, the departure, the variation, the plan's table (a line a
// piece) and its summary or the failure, the high waters the streams count from, the sweep of
// departures as a plot, and the buttons Open, Save, Clear and Print. The window only shows;
// the planner that owns it connects its inputs and buttons.
class PassagePlanWindow : public FramelessWindow
{
    Q_OBJECT
public:
    static constexpr QSize ClientSize{460, 624};
    static constexpr double DefaultBoatSpeedKn = 5;
    static constexpr int DefaultSweepHours = 3;

    explicit PassagePlanWindow(const QDateTime &departure, QWidget *parent = nullptr);

    PassageSettings Settings() const;
    void ShowHighWaters(const QString &text);
    void ShowPlan(const PlanTable &table);

    // Controls, named as the planner's code names them.
    QDoubleSpinBox *speed = nullptr;
    QDateTimeEdit *departure = nullptr;
    QCheckBox *magnetic = nullptr;
    QDoubleSpinBox *variation = nullptr;
    QSpinBox *sweephours = nullptr;
    QLabel *highwaters = nullptr;
    QTableWidget *legs = nullptr;
    QLabel *summary = nullptr;
    SweepPlot *sweep = nullptr;
    PictureButton *openbutton = nullptr;
    PictureButton *savebutton = nullptr;
    PictureButton *clearbutton = nullptr;
    PictureButton *printbutton = nullptr;
    PictureButton *closebutton = nullptr;

Q_SIGNALS:
    // Any of the speed, departure, variation or sweep changed.
    void SettingsChanged();

private:
    // The summary in the failure's red, else in the ink of the colour scheme.
    void ColourSummary();

    bool summaryFailed_ = false;
};

} // namespace brenlow
