#include <QApplication>
#include <QSettings>

#include "shell/desktop_identity.h"
#include "tests/support/modal.h"

namespace {

TEST(DesktopIdentity, TheRunningProgramMatchesItsDesktopEntry)
{
    SetDesktopIdentity();
    // The desktop entry's keys, as the desktop reads them.
    QSettings entry(QStringLiteral(CORVINA_TEST_DATA "/../../../res/corvina.desktop"), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    ASSERT_EQ(entry.value("Type").toString(), "Application");
    EXPECT_EQ(QStringList({entry.value("Name").toString(), entry.value("StartupWMClass").toString(),
                           entry.value("Icon").toString(), entry.value("Exec").toString().section(' ', 0, 0)}),
              QStringList({QApplication::applicationName(), QApplication::applicationName(), "corvina", "corvina"}));
    EXPECT_EQ(QGuiApplication::desktopFileName(), "corvina");
    EXPECT_EQ(QApplication::applicationVersion(), "1.0");
}

class DesktopIconTest : public testing::TestWithParam<int> {};

// The window icon holds every size the desktop draws, each a real picture.
TEST_P(DesktopIconTest, WindowIconHoldsTheSize)
{
    SetDesktopIdentity();
    const QSize size(GetParam(), GetParam());
    EXPECT_TRUE(QApplication::windowIcon().availableSizes().contains(size));
    EXPECT_EQ(QApplication::windowIcon().pixmap(size).size(), size);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DesktopIconTest, testing::Values(16, 22, 24, 32, 48, 64, 128, 256));

}  // namespace
