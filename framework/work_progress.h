#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Told now and then how far a long piece of work has come. Whoever does the work calls Report
// every few thousand units, never in the innermost loop; the receiver decides what to show.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;

    // done of total units of the step named (total 0: unknown).
    virtual void Report(std::string_view step, uint64_t done, uint64_t total) = 0;
};

// Reports to progress when there is one.
inline void ReportProgress(WorkProgress* progress, std::string_view step, uint64_t done, uint64_t total)
{
    if (progress != nullptr)
        progress->Report(step, done, total);
}

// Shows the user that long work is under way: a window shows a busy pointer at once and a
// progress dialog once the work has lasted a while.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;

    // The work named title starts now and ends when the returned progress is destroyed.
    virtual std::unique_ptr<WorkProgress> BeginWork(const std::string& title) = 0;
};
