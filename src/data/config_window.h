#pragma once

#include "core/program_info.h"

#include <QDialog>

class QPushButton;

namespace brenlow {

class MessageBoxes;

// The administrator's tool: converts the program folder's flow database between its plain
// and its encoded form. An ordinary framed dialog; it stays open until its close box is used.
class Config : public QDialog
{
    Q_OBJECT
public:
    Config(const ProgramInfo &program, MessageBoxes &messages, QWidget *parent = nullptr);

    QPushButton *Command1 = nullptr; // encrypt
    QPushButton *Command2 = nullptr; // decrypt

private:
    ProgramInfo program_;
    MessageBoxes &messages_;
};

} // namespace brenlow
