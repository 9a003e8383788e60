// The password remembered per port: off until chosen, per port, and never in
// the window's own settings file, whatever the keyring does.
#include <gtest/gtest.h>

#include <QFile>

#include "app/AppSettings.h"
#include "app/PasswordKeeper.h"
#include "support/QtTestSupport.h"

namespace orlan {
namespace {

TEST(PasswordKeeper, RemembersPerPortAndNeverWritesThePasswordToTheSettings)
{
    CPasswordKeeper keeper;
    QStringList told;
    QObject::connect(&keeper, &CPasswordKeeper::unavailable, &keeper,
                     [&told](const QString& why) { told.append(why); });
    const QString port = QStringLiteral("/dev/pts/keeper-test");
    const QString other = QStringLiteral("/dev/ttyUSB9");
    keeper.Forget(port);
    keeper.Forget(other);
    EXPECT_FALSE(keeper.Remembers(port)) << "off by default";
    EXPECT_FALSE(keeper.Remembers({}));

    const QString secret = QStringLiteral("keeper-secret-7731");
    keeper.Remember(port, secret);
    EXPECT_TRUE(keeper.Remembers(port));
    EXPECT_FALSE(keeper.Remembers(other)) << "one port's choice is not another's";
    // Whether a keyring answers or not, the settings hold the port only.
    test::PumpUntil([&told] { return !told.isEmpty(); }, std::chrono::milliseconds(2000));
    EXPECT_LE(told.size(), 1) << "a missing keyring is told once";
    {
        CPreferences preferences;
        preferences.sync();
        QFile file(preferences.fileName());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << preferences.fileName().toStdString();
        EXPECT_FALSE(file.readAll().contains(secret.toUtf8()));
    }

    keeper.Forget(port);
    EXPECT_FALSE(keeper.Remembers(port));
}

} // namespace
} // namespace orlan
