// The platform settings store, pointed at a temporary folder.
#include "QtSettingsStore.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(QtSettingsStore, KeepsDwordsPerAppName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    radio::CQtSettingsStore store;
    EXPECT_EQ(store.ReadDword("StoreTestA", "Type"), std::nullopt);
    store.WriteDword("StoreTestA", "Type", 3);
    store.WriteDword("StoreTestA", "Field", 0xFFFFFFFFu);
    store.WriteDword("StoreTestB", "Type", 7);
    EXPECT_EQ(store.ReadDword("StoreTestA", "Type"), 3u);
    EXPECT_EQ(store.ReadDword("StoreTestA", "Field"), 0xFFFFFFFFu);
    EXPECT_EQ(store.ReadDword("StoreTestB", "Type"), 7u);
    // With no AppName the values sit directly under "Software".
    store.WriteDword("", "com", 2);
    EXPECT_EQ(store.ReadDword("", "com"), 2u);
    EXPECT_EQ(store.ReadDword("StoreTestB", "com"), std::nullopt);
}

#ifdef _WIN32
// The registry itself (no temporary folder redirects it): the values land as
// REG_DWORD under HKEY_CURRENT_USER\Software\<AppName>, where the programs
// have always kept them, and read back; the test's key is removed after.
TEST(QtSettingsStore, RegistryKeyUnderSoftwareRoundTrips) {
    const QString app = QStringLiteral("RadioStoreTest%1").arg(QCoreApplication::applicationPid());
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\") + app;
    radio::CQtSettingsStore store;
    EXPECT_EQ(store.ReadDword(app.toStdString(), "Type"), std::nullopt);
    store.WriteDword(app.toStdString(), "Type", 3);
    store.WriteDword(app.toStdString(), "Field", 0xFFFFFFFFu);
    EXPECT_EQ(store.ReadDword(app.toStdString(), "Type"), 3u);
    EXPECT_EQ(store.ReadDword(app.toStdString(), "Field"), 0xFFFFFFFFu);
    {
        const QSettings raw(key, QSettings::NativeFormat);
        EXPECT_EQ(raw.value(QStringLiteral("Type")).toInt(), 3);
    }
    QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat).remove(app);
    EXPECT_EQ(store.ReadDword(app.toStdString(), "Type"), std::nullopt);
}
#endif

TEST(QtSettingsStore, KeepsTextsBesideTheNumbers) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    radio::CQtSettingsStore store;
    EXPECT_EQ(store.ReadString("StoreTestD", "BackupFolder"), std::nullopt);
    // A folder with spaces and letters beyond ASCII comes back as written.
    const std::string folder = "/home/李 明/radio backups";
    store.WriteString("StoreTestD", "BackupFolder", folder);
    store.WriteDword("StoreTestD", "Backup", 1);
    EXPECT_EQ(store.ReadString("StoreTestD", "BackupFolder"), folder);
    EXPECT_EQ(store.ReadDword("StoreTestD", "Backup"), 1u);
    EXPECT_EQ(store.ReadString("StoreTestE", "BackupFolder"), std::nullopt);
}

TEST(QtSettingsStore, ValueThatIsNoNumberReadsAsAbsent) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Software", "StoreTestC");
        raw.setValue("Type", "abc");
    }
    radio::CQtSettingsStore store;
    EXPECT_EQ(store.ReadDword("StoreTestC", "Type"), std::nullopt);
}

} // namespace
