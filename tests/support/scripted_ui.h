#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/user_interface.h"

// Message boxes, file chooser and network dialogs answered from a script; what they show is
// recorded.
class ScriptedUi : public MessageBoxes, public FileChooser, public NetworkDialogs, public ProgressDisplay {
public:
    // One report of long work.
    struct ProgressReport {
        std::string step;
        uint64_t done = 0;
        uint64_t total = 0;
    };

    // The n-th question gets the n-th answer, then fallback.
    Answer AskYesNo(const std::string& text) override
    {
        questions.push_back(text);
        return questions.size() <= answers.size() ? answers[questions.size() - 1] : fallback;
    }
    void ShowStopMessage(const std::string& text) override { stopMessages.push_back(text); }
    SaveChangesAnswer AskSaveChanges(const std::string&) override { return SaveChangesAnswer::Discard; }
    void ShowStatusNote(const std::string& text) override { statusNotes.push_back(text); }
    bool ChooseFile(const FileChooserRequest&, std::string&) override { return false; }
    // Cancelled unless a shape is scripted.
    bool RunShapeDialog(ShapeFields& fields) override
    {
        shownShape = fields;
        fields = shape.value_or(fields);
        return shape.has_value();
    }
    bool RunTrainingDataDialog(TrainingDataFields& fields) override
    {
        fields = trainingData;
        return true;
    }
    // The scripted paths come back, and the scripted values when there are any.
    ConsultOutcome RunConsultSheet(ConsultFields& fields) override
    {
        shownConsult = fields;
        fields.inputPath = consult.inputPath;
        fields.outputPath = consult.outputPath;
        if (!consult.values.empty())
            fields.values = consult.values;
        return consultOutcome;
    }
    void ShowReport(const std::string& text) override { reports.push_back(text); }

    std::unique_ptr<WorkProgress> BeginWork(const std::string& title) override
    {
        workTitles.push_back(title);
        return std::make_unique<ProgressRecorder>(progressReports);
    }

    UserInterface Interface() { return {*this, *this, *this, *this}; }

    std::vector<Answer> answers;
    Answer fallback = Answer::No;
    std::optional<ShapeFields> shape;
    ShapeFields shownShape;
    TrainingDataFields trainingData;
    ConsultFields consult, shownConsult;
    ConsultOutcome consultOutcome;
    std::vector<std::string> questions, stopMessages, statusNotes, reports, workTitles;
    std::vector<ProgressReport> progressReports;

private:
    class ProgressRecorder : public WorkProgress {
    public:
        explicit ProgressRecorder(std::vector<ProgressReport>& into) : reports(into) {}
        void Report(std::string_view step, uint64_t done, uint64_t total) override
        {
            reports.push_back({std::string(step), done, total});
        }

    private:
        std::vector<ProgressReport>& reports;
    };
};
