#include <QApplication>
#include <QSettings>

#include "shell/desktop_identity.h"
#include "shell_fixture.h"

namespace {

TEST(DesktopIdentity, TheRunningProgramMatchesItsDesktopEntry)
{
    SetDesktopIdentity();
    // The desktop entry's keys, as the desktop reads them.
    QSettings entry(QStringLiteral(CORVINA_TEST_DATA "/../../../res/corvina.desktop"), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    ASSERT_EQ(entry.value("Type").toString(), "Application");
    EXPECT_EQ(entry.value("Name").toString(), QApplication::applicationName());
    EXPECT_EQ(entry.value("StartupWMClass").toString(), QApplication::applicationName());
    EXPECT_EQ(entry.value("Icon").toString(), QGuiApplication::desktopFileName());
    EXPECT_EQ(QGuiApplication::desktopFileName(), "corvina");
    EXPECT_TRUE(entry.value("Exec").toString().startsWith("corvina "));
    EXPECT_EQ(QApplication::applicationVersion(), "1.0");

    // The window icon holds every size the desktop draws, each a real picture.
    const QIcon icon = QApplication::windowIcon();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        EXPECT_EQ(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
    }
}

using DesktopWindowTest = ShellTest;

TEST_F(DesktopWindowTest, TheMainWindowShowsTheDesktopIcon)
{
    EXPECT_EQ(app->Frame()->windowIcon().availableSizes(), DesktopIcon().availableSizes());
}

}  // namespace
