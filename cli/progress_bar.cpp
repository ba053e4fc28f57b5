#include "cli/progress_bar.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>

ProgressBar::ProgressBar(std::ostream& stream, uint64_t steps) : out(stream), total(steps == 0 ? 1 : steps)
{
    Draw(0);
}

void ProgressBar::Update(uint64_t done)
{
    // The hot loop of training calls this every pass: one comparison unless a redraw is due.
    if (done < nextRedraw)
        return;
    Draw(done);
}

void ProgressBar::Finish()
{
    Draw(total);
    out << '\n' << std::flush;
}

namespace {

// floor(done * scale / total), exact unless done * scale overflows, when a close value does.
uint64_t Scaled(uint64_t done, uint64_t total, uint64_t scale)
{
    if (done <= UINT64_MAX / scale)
        return done * scale / total;
    return static_cast<uint64_t>(static_cast<long double>(done) / static_cast<long double>(total) *
                                 static_cast<long double>(scale));
}

// The first step count at which the bar shows percent: ceil(percent * total / 100).
uint64_t FirstStepOf(uint64_t percent, uint64_t total)
{
    const uint64_t whole = percent * (total / 100);
    const uint64_t part = percent * (total % 100);
    return whole + part / 100 + (part % 100 != 0 ? 1 : 0);
}

}  // namespace

void ProgressBar::Draw(uint64_t done)
{
    if (done > total)
        done = total;
    const uint64_t percent = Scaled(done, total, 100);
    nextRedraw = percent >= 100 ? UINT64_MAX : FirstStepOf(percent + 1, total);
    if (static_cast<int>(percent) == drawnPercent)
        return;
    drawnPercent = static_cast<int>(percent);
    const auto filled = static_cast<size_t>(Scaled(done, total, Width));
    std::string line = "\r[";
    line.append(filled, '#');
    line.append(static_cast<size_t>(Width) - filled, ' ');
    line += "] ";
    const std::string number = std::to_string(percent);
    line.append(3 - std::min<size_t>(3, number.size()), ' ');
    line += number + "% " + std::to_string(done) + "/" + std::to_string(total);
    out << line << std::flush;
}
