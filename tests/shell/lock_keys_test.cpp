#ifdef CORVINA_XKB

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <memory>

#include "shell/xkb_lock_keys.h"

// Xlib's macros would clash with the headers above.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace {

// A virtual X server of its own, as a remote or virtual session has, and a connection to it.
class VirtualServer {
public:
    VirtualServer()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (program.isEmpty())
            return;
        // The server picks a free display and writes its number on our pipe when it is ready.
        server.start(program, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
        if (!server.waitForStarted(5000) || !server.waitForReadyRead(10000))
            return;
        const QByteArray number = server.readLine().trimmed();
        display = XOpenDisplay((":" + number).constData());
    }
    ~VirtualServer()
    {
        if (display != nullptr)
            XCloseDisplay(display);
        server.terminate();
        server.waitForFinished(5000);
    }

    Display* display = nullptr;

private:
    QProcess server;
};

struct LockRow {
    const char* name;
    LockKey key;
    KeySym keysym;
};

class XkbLockKeyTest : public testing::TestWithParam<LockRow> {
protected:
    static void SetUpTestSuite() { server = std::make_unique<VirtualServer>(); }
    static void TearDownTestSuite() { server.reset(); }

    static std::unique_ptr<VirtualServer> server;
};

std::unique_ptr<VirtualServer> XkbLockKeyTest::server;

// The light follows the server's locked modifier, which is all a remote session's keyboard has.
TEST_P(XkbLockKeyTest, LightFollowsTheServersLockedModifier)
{
    if (server->display == nullptr)
        GTEST_SKIP() << "no Xvfb to run a virtual X server";
    Display* display = server->display;
    const unsigned int modifier = XkbKeysymToModifiers(display, GetParam().keysym);
    ASSERT_NE(modifier, 0u);
    for (const bool locked : {true, false, true, false}) {
        XkbLockModifiers(display, XkbUseCoreKbd, modifier, locked ? modifier : 0);
        XSync(display, False);
        EXPECT_EQ(XkbLockKeyState(display, GetParam().key), std::optional<bool>(locked)) << locked;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, XkbLockKeyTest,
                         testing::Values(LockRow{"Caps", LockKey::Caps, XK_Caps_Lock},
                                         LockRow{"Num", LockKey::Num, XK_Num_Lock}),
                         [](const testing::TestParamInfo<LockRow>& row) { return std::string(row.param.name); });

}  // namespace

#endif
