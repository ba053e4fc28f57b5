#pragma once

// What the user interface shows of a command: whether it can be given, and its check mark.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// The facts the enabling rules read.
class CommandConditions {
public:
    virtual ~CommandConditions() = default;

    virtual bool PatternsExist() const = 0;
    virtual bool TrainingCanStart() const = 0;
    virtual bool IsTrainingOn() const = 0;
    virtual bool IsRecentFileListed(int index) const = 0;
    virtual bool IsToolbarShown() const = 0;
    virtual bool IsStatusBarShown() const = 0;
    virtual bool IsTrainingCurveShown() const = 0;
    virtual bool CanRestoreBestNetwork() const = 0;
};
