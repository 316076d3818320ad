#include "platform/qt_settings_store.h"

#include <QDir>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

const QString Section = QStringLiteral("config");

TEST(SettingsStore, AbsentKeyGivesTheDefault)
{
    QtSettingsStore store;
    EXPECT_EQ(store.GetSetting("never-stored-app", Section, "animspeed", "2"), "2");
    EXPECT_EQ(store.GetSetting("never-stored-app", Section, "highwater1", ""), "");
}

TEST(SettingsStore, ValuesReadBackExactly)
{
    QtSettingsStore store;
    const QString app = QStringLiteral("exact-app");
    struct Row
    {
        const char *key;
        QString value;
    };
    const Row rows[] = {
        {"highwater1", "14:30"},
        {"highwater2", " 2:45 PM "}, // blanks are kept, not trimmed
        {"height1", "4,3"},
        {"height2", "quote \" and = and ; and [x]"},
        {"pressure", QString::fromUtf8("1013 h\u00e9")},
        {"animspeed", "4"},
    };
    for (const Row &row : rows)
        store.SaveSetting(app, Section, row.key, row.value);
    QtSettingsStore fresh; // a second store reads what the first wrote to disk
    for (const Row &row : rows)
        EXPECT_EQ(fresh.GetSetting(app, Section, row.key, "default"), row.value) << row.key;
}

// Regression: an empty stored text must not read back as the default.
TEST(SettingsStore, StoredEmptyTextIsNotTheDefault)
{
    QtSettingsStore store;
    store.SaveSetting("empty-app", Section, "animspeed", "");
    EXPECT_EQ(store.GetSetting("empty-app", Section, "animspeed", "2"), "");
}

TEST(SettingsStore, ApplicationsKeepSeparateValues)
{
    QtSettingsStore store;
    store.SaveSetting("brenlow", Section, "highwater1", "10:00");
    store.SaveSetting("brenlow-copy", Section, "highwater1", "11:00");
    EXPECT_EQ(store.GetSetting("brenlow", Section, "highwater1", ""), "10:00");
    EXPECT_EQ(store.GetSetting("brenlow-copy", Section, "highwater1", ""), "11:00");
    EXPECT_EQ(store.GetSetting("brenlow-other", Section, "highwater1", "none"), "none");
}

TEST(SettingsStore, ValuesThatCannotBeWrittenAreSaidAndNotKept)
{
    QtSettingsStore store;
    const QString app = QStringLiteral("folder-app");
    const QString iniPath =
        qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Brenlow/") + app + ".ini";
    ASSERT_TRUE(QDir().mkpath(iniPath));
    const std::optional<QString> failure =
        store.SaveSettings(app, Section, {{"highwater1", "10:00"}, {"height1", "4.5"}});
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, iniPath + " is a folder");
    EXPECT_EQ(store.GetSetting(app, Section, "highwater1", "none"), "none");
    EXPECT_EQ(QtSettingsStore().GetSetting(app, Section, "height1", "none"), "none");
}

} // namespace
} // namespace brenlow
