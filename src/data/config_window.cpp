#include "data/config_window.h"

#include "data/flow_admin.h"
#include "platform/twips.h"

#include <QPushButton>

namespace brenlow {
Config::Config(const ProgramInfo &program, MessageBoxes &messages, QWidget *parent)
    : QDialog(parent), program_(program), messages_(messages)
{
    setWindowTitle(QStringLiteral("Administrator Configuration"));
    // The client area is 5310 x 2730 twips.
    setFixedSize(TwipsRect(this, 0, 0, 5310, 2730).size());

    Command1 = new QPushButton(QStringLiteral("Encrypt Flow Database"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(this, 1035, 105, 3060, 495));
    Command2 = new QPushButton(QStringLiteral("Decrypt Flow Database"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(TwipsRect(this, 1065, 735, 3060, 495));
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    connect(Command1, &QPushButton::clicked, this,
            [this] { EncryptFlowDatabase(program_, messages_); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { DecryptFlowDatabase(program_, messages_); });
}

} // namespace brenlow
