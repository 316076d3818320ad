#pragma once

#include "core/message_boxes.h"

namespace brenlow {

// Real boxes (QMessageBox), over the active window of the program.
class QtMessageBoxes : public MessageBoxes
{
public:
    void ShowMessage(const QString &text, const QString &title, MessageIcon icon) override;
    bool Ask(const QString &text) override;
};

} // namespace brenlow
