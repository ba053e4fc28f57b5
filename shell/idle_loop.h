#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <cstdint>
#include <functional>

// Calls an idle hook whenever the main event loop has nothing else to do, with a count that
// is 0 on the first call after user input and rises while the hook asks for more. Calls are
// grouped into short time slices between which the event loop looks for input. No call is
// made while a modal dialog, a message box or a menu is open.
class IdleLoop : public QObject {
    Q_OBJECT

public:
    // The hook returns true to be called again.
    using Hook = std::function<bool(int32_t count)>;

    explicit IdleLoop(Hook hook, QObject* parent = nullptr);
    ~IdleLoop() override;

    // Starts the count at 0 again, as after user input.
    void Restart();

    int32_t Count() const { return count; }

    // True while the loop calls the hook or waits for a modal loop to end; false once the hook
    // has asked for no more and the loop waits for input.
    bool IsRunning() const { return timer.isActive(); }

    // True while a modal dialog, message box or menu holds the loop back.
    bool IsHeldByModalLoop() const { return holding; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunSlice();
    bool IsUserInput(const QEvent* event);
    static bool IsModalLoopRunning();

    Hook hook;
    QTimer timer;
    int32_t count = 0;
    bool holding = false;
    QPoint lastPointer;
};
