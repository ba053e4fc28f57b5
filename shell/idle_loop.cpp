#include "shell/idle_loop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <limits>

namespace {

// How long one slice of idle calls may keep input waiting.
constexpr qint64 SliceNanoseconds = 3'000'000;

// How often a modal loop is looked at to see whether it has ended.
constexpr int ModalPollMilliseconds = 50;

}  // namespace

IdleLoop::IdleLoop(Hook idleHook, QObject* parent) : QObject(parent), hook(std::move(idleHook))
{
    timer.setInterval(0);
    connect(&timer, &QTimer::timeout, this, &IdleLoop::RunSlice);
    qApp->installEventFilter(this);
    timer.start();
}

IdleLoop::~IdleLoop()
{
    qApp->removeEventFilter(this);
}

void IdleLoop::Restart()
{
    count = 0;
    if (!timer.isActive() || timer.interval() != 0)
        timer.start(0);
}

bool IdleLoop::IsModalLoopRunning()
{
    return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr;
}

void IdleLoop::RunSlice()
{
    // The zero timer also fires inside a dialog's or a menu's own event loop: wait it out.
    holding = IsModalLoopRunning();
    if (holding) {
        timer.setInterval(ModalPollMilliseconds);
        return;
    }
    if (timer.interval() != 0)
        timer.setInterval(0);
    QElapsedTimer slice;
    slice.start();
    do {
        const bool more = hook(count);
        if (count < std::numeric_limits<int32_t>::max())
            ++count;
        if (!more) {
            timer.stop();
            return;
        }
        // The first call after input refreshes the commands; let the input that follows it in.
        if (count == 1)
            return;
    } while (slice.nsecsElapsed() < SliceNanoseconds);
}

bool IdleLoop::eventFilter(QObject* watched, QEvent* event)
{
    if (IsUserInput(event))
        Restart();
    return QObject::eventFilter(watched, event);
}

bool IdleLoop::IsUserInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        // A move that leaves the pointer where it was is no input.
        const QPoint position = static_cast<const QMouseEvent*>(event)->globalPosition().toPoint();
        if (position == lastPointer)
            return false;
        lastPointer = position;
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
    case QEvent::Close:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        return true;
    default:
        return false;
    }
}
