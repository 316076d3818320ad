#include "data/config_window.h"

#include "support/test_platform.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(ConfigWindow, ButtonsConvertTheProgramFoldersFlowDatabase)
{
    test::TempProgramFolder folder;
    const QByteArray plain = "\"1\",\"2\"\r\n";
    folder.WriteFile("temp.bmp", plain);
    test::RecordingMessageBoxes messages;
    Config config(folder.Info(), messages);

    EXPECT_EQ(config.windowTitle(), QStringLiteral("Administrator Configuration"));
    EXPECT_EQ(config.Command1->text(), QStringLiteral("Encrypt Flow Database"));
    EXPECT_EQ(config.Command2->text(), QStringLiteral("Decrypt Flow Database"));

    config.Command1->click();
    EXPECT_TRUE(folder.ReadFile("temp.bmp").startsWith("encrypted\r\n"));
    config.Command2->click();
    EXPECT_EQ(folder.ReadFile("temp.bmp"), plain);

    ASSERT_EQ(messages.Shown.size(), 2u);
    EXPECT_EQ(messages.Shown[0].Text, QStringLiteral("Encryption Completed"));
    EXPECT_EQ(messages.Shown[1].Text, QStringLiteral("Decryption Completed"));
}

} // namespace
} // namespace brenlow
