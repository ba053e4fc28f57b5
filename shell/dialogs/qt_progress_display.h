#pragma once

#include <chrono>

#include "framework/work_progress.h"

class QWidget;

// Long work in the window: a busy pointer from its start and, once it has lasted a while, a
// modal progress dialog. While the dialog shows, the event loop turns between reports, so the
// windows repaint, but as under any modal dialog no training pass is made and no command can be
// given.
class QtProgressDisplay : public ProgressDisplay {
public:
    // How long work runs before its dialog shows.
    static constexpr std::chrono::milliseconds DefaultShowAfter{500};

    explicit QtProgressDisplay(QWidget* parent) : parentWindow(parent) {}

    void SetParentWindow(QWidget* parent) { parentWindow = parent; }
    void SetShowAfter(std::chrono::milliseconds delay) { showAfter = delay; }

    std::unique_ptr<WorkProgress> BeginWork(const std::string& title) override;

private:
    QWidget* parentWindow;
    std::chrono::milliseconds showAfter = DefaultShowAfter;
};
