#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/corvina_doc.h"
#include "tests/framework/temp_dir.h"

// Message boxes and dialogs answered from a script; what they show is recorded.
class ScriptedUi : public MessageBoxes, public FileChooser, public NetworkDialogs {
public:
    // The n-th question gets the n-th answer; one more question throws.
    Answer AskYesNo(const std::string& text) override
    {
        questions.push_back(text);
        return answers.at(questions.size() - 1);
    }
    void ShowStopMessage(const std::string& text) override { stopMessages.push_back(text); }
    SaveChangesAnswer AskSaveChanges(const std::string&) override { return SaveChangesAnswer::Discard; }
    void ShowStatusNote(const std::string& text) override { statusNotes.push_back(text); }
    bool ChooseFile(const FileChooserRequest&, std::string&) override { throw std::logic_error("file dialog"); }
    bool RunShapeDialog(ShapeFields& fields) override
    {
        shownShapes.push_back(fields);
        fields = shape.value_or(fields);
        return shape.has_value();
    }
    bool RunTrainingDataDialog(TrainingDataFields& fields) override { fields = trainingData; return true; }
    ConsultOutcome RunConsultSheet(ConsultFields& fields) override
    {
        shownConsultPaths.push_back(fields.inputPath + "|" + fields.outputPath);
        fields.inputPath = consultInputPath;
        fields.outputPath = consultOutputPath;
        std::copy(consultValues.begin(), consultValues.end(), fields.values);
        return consultOutcome;
    }
    void ShowReport(const std::string& text) override { reports.push_back(text); }

    std::vector<Answer> answers;
    std::optional<ShapeFields> shape;
    TrainingDataFields trainingData;
    std::string consultInputPath, consultOutputPath;
    std::vector<double> consultValues;
    ConsultOutcome consultOutcome;
    std::vector<std::string> questions, stopMessages, statusNotes, reports, shownConsultPaths;
    std::vector<ShapeFields> shownShapes;
};

// The little-endian bytes of 32-bit integers, as a file holds them.
inline std::string Ints(std::initializer_list<int32_t> values)
{
    std::string bytes;
    for (int32_t value : values)
        bytes.append(reinterpret_cast<const char*>(&value), 4);
    return bytes;
}

// A new default document on the scripted interface, with a temporary folder; the fixture is the
// document's view and records the hints it gets.
class DocumentTest : public testing::Test, public CView {
protected:
    DocumentTest()
    {
        document.GetRandomSource().Seed(12345);
        document.OnNewDocument();
        document.AddView(this);
    }
    ~DocumentTest() override
    {
        document.RemoveView(this);
    }
    void OnUpdate(CView*, UpdateHint hint) override { hints.push_back(hint); }

    std::string Save()
    {
        std::ostringstream out;
        CArchive archive(out);
        document.Serialize(archive);
        return out.str();
    }
    std::string DataFile(const std::string& name, const std::string& text)
    {
        WriteFile(folder.Path(name), text);
        return folder.Path(name);
    }

    ScriptedUi scripted;
    UserInterface ui{scripted, scripted, scripted};
    CCorvinaDoc document{&ui};
    std::vector<UpdateHint> hints;
    TempDir folder;
};
