// Deleting the calculator's entry from the per-user settings store.

#include "remover/settings_entry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "identity/application_name.h"

namespace tally {
namespace {

class SettingsEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_store.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
    }
    static QSettings entry(const QString& name) {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, name);
    }
    static const QString& calculator() {
        static const QString name = QString::fromUtf8(kApplicationName);
        return name;
    }

    QTemporaryDir m_store;
};

TEST_F(SettingsEntry, DeletedWhileOtherProgramsSettingsStay) {
    QString file;
    {
        QSettings settings = entry(calculator());
        settings.setValue(QStringLiteral("Settings/Angles"), QStringLiteral("Градусы"));
        settings.setValue(QStringLiteral("Fonts/FontName0"), QStringLiteral("Courier New"));
        file = settings.fileName();
        QSettings other = entry(QStringLiteral("Other Calculator"));
        other.setValue(QStringLiteral("Settings/Angles"), QStringLiteral("Radians"));
    }
    ASSERT_TRUE(QFile::exists(file));

    deleteSettingsEntry(calculator());

    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(entry(calculator()).allKeys().isEmpty());
    EXPECT_EQ(entry(QStringLiteral("Other Calculator")).value(QStringLiteral("Settings/Angles")),
              QStringLiteral("Radians"));
}

TEST_F(SettingsEntry, NeverWrittenStaysAbsent) {
    const QString file = entry(calculator()).fileName();
    deleteSettingsEntry(calculator());
    EXPECT_FALSE(QFile::exists(file));
}

}  // namespace
}  // namespace tally
