#pragma once

#include "platform/frameless_window.h"

class QLabel;

namespace brenlow {

struct PictureSpot;
struct ProgramInfo;

// The harbour plan of a picture spot, in a small frameless window over the main window.
class Map : public FramelessWindow
{
    Q_OBJECT
public:
    static constexpr QSize ClientSize{630, 472};

    // Loads the spot's picture file from the program folder into Picture1; a file that is
    // missing, is no regular file, cannot be read or holds less than a whole picture shows a
    // notice naming it instead.
    Map(const ProgramInfo &program, const PictureSpot &spot, QWidget *parent = nullptr);

    QLabel *Picture1 = nullptr;
    PictureButton *closebutton = nullptr;
};

} // namespace brenlow
