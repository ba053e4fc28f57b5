#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/corvina_doc.h"
#include "engine/random_draw.h"
#include "tests/framework/temp_dir.h"

// Message boxes and dialogs answered from a script; what they show is recorded.
class ScriptedUi : public MessageBoxes, public FileChooser, public NetworkDialogs {
public:
    Answer AskYesNo(const std::string& text) override
    {
        questions.push_back(text);
        if (answers.empty())
            throw std::logic_error("unexpected question: " + text);
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowStopMessage(const std::string& text) override { stopMessages.push_back(text); }
    SaveChangesAnswer AskSaveChanges(const std::string&) override { return SaveChangesAnswer::Discard; }
    bool ChooseFile(const FileChooserRequest&, std::string&) override { throw std::logic_error("file dialog"); }
    bool RunShapeDialog(ShapeFields& fields) override
    {
        shownShapes.push_back(fields);
        if (shape)
            fields = *shape;
        return shape.has_value();
    }
    bool RunTrainingDataDialog(TrainingDataFields& fields) override
    {
        fields = trainingData;
        return true;
    }
    ConsultOutcome RunConsultSheet(ConsultFields& fields) override
    {
        shownConsultPaths.push_back(fields.inputPath + "|" + fields.outputPath);
        fields.inputPath = consultInputPath;
        fields.outputPath = consultOutputPath;
        std::copy(consultValues.begin(), consultValues.end(), fields.values);
        return consultOutcome;
    }
    void ShowReport(const std::string& text) override { reports.push_back(text); }

    std::deque<Answer> answers;
    std::optional<ShapeFields> shape;
    TrainingDataFields trainingData;
    std::string consultInputPath, consultOutputPath;
    std::vector<double> consultValues;
    ConsultOutcome consultOutcome;
    std::vector<std::string> questions, stopMessages, reports, shownConsultPaths;
    std::vector<ShapeFields> shownShapes;
};

class HintRecorder : public CView {
public:
    void OnUpdate(CView*, UpdateHint hint) override { hints.push_back(hint); }
    std::vector<UpdateHint> hints;
};

inline std::string Saved(CCorvinaDoc& doc)
{
    std::ostringstream out;
    CArchive archive(out);
    doc.Serialize(archive);
    return out.str();
}

inline void Load(CCorvinaDoc& doc, const std::string& bytes)
{
    std::istringstream in(bytes);
    CArchive archive(in, bytes.size());
    doc.Serialize(archive);
}

// The little-endian bytes of 32-bit integers, as a file holds them.
inline std::string Ints(std::initializer_list<int32_t> values)
{
    std::string bytes;
    for (int32_t value : values)
        bytes.append(reinterpret_cast<const char*>(&value), 4);
    return bytes;
}

// A new default document wired to the scripted interface, a hint recorder and a temporary folder.
class DocumentTest : public testing::Test {
protected:
    DocumentTest()
    {
        SeedRandomDraw(12345);
        document.OnNewDocument();
        document.AddView(&view);
    }
    ~DocumentTest() override
    {
        document.RemoveView(&view);
        SetRandomDrawScript({});
    }

    std::string Save() { return Saved(document); }

    std::string DataFile(const std::string& name, const std::string& text)
    {
        WriteFile(folder.Path(name), text);
        return folder.Path(name);
    }

    ScriptedUi scripted;
    UserInterface ui{scripted, scripted, scripted};
    CCorvinaDoc document{&ui};
    HintRecorder view;
    TempDir folder;
};
