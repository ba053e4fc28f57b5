#pragma once

#include <cstdint>
#include <iosfwd>

// A one-line progress bar redrawn in place with a carriage return, for a terminal.
class ProgressBar {
public:
    static constexpr int Width = 40;

    // A bar for total steps (at least 1) drawn on out, at 0% at once.
    ProgressBar(std::ostream& out, uint64_t total);

    // Moves the bar to done steps; redraws only when the whole percentage changes.
    void Update(uint64_t done);

    // Draws the bar full and ends its line.
    void Finish();

private:
    void Draw(uint64_t done);

    std::ostream& out;
    uint64_t total;
    uint64_t nextRedraw = 0;
    int drawnPercent = -1;
};
