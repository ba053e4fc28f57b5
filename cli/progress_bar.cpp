#include "cli/progress_bar.h"

#include <algorithm>
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

void ProgressBar::Draw(uint64_t done)
{
    if (done > total)
        done = total;
    // done * 100 would overflow for the largest totals; work in long double.
    const auto fraction = static_cast<long double>(done) / static_cast<long double>(total);
    const auto percent = static_cast<int>(fraction * 100.0L);
    const uint64_t nextPercent = static_cast<uint64_t>(percent) + 1;
    nextRedraw = static_cast<uint64_t>(static_cast<long double>(total) * static_cast<long double>(nextPercent) / 100.0L);
    if (nextRedraw <= done)
        nextRedraw = done + 1;
    if (percent == drawnPercent)
        return;
    drawnPercent = percent;
    const auto filled = static_cast<size_t>(fraction * Width);
    std::string line = "\r[";
    line.append(filled, '#');
    line.append(static_cast<size_t>(Width) - filled, ' ');
    line += "] ";
    const std::string number = std::to_string(percent);
    line.append(3 - std::min<size_t>(3, number.size()), ' ');
    line += number + "% " + std::to_string(done) + "/" + std::to_string(total);
    out << line << std::flush;
}
