#pragma once

#include "core/program_info.h"

#include <QString>

namespace brenlow {

enum class MessageIcon { None, Warning };

// Modal message boxes with an OK button only, and questions. Each returns when the user has
// closed the box.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual void ShowMessage(const QString &text, const QString &title, MessageIcon icon) = 0;
    // A question with Yes and No buttons, titled with the program's title, no icon; true when
    // the user answered Yes. Closing the box answers No.
    virtual bool Ask(const QString &text) = 0;

    // The usual case: the program's title, no icon.
    void Inform(const QString &text)
    {
        ShowMessage(text, QString::fromLatin1(ProgramTitle), MessageIcon::None);
    }
};

} // namespace brenlow
