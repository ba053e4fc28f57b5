#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/corvina_doc.h"
#include "engine/random_draw.h"
#include "tests/framework/temp_dir.h"

// Message boxes answered from a script; every text shown is recorded.
class ScriptedMessages : public MessageBoxes {
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

    std::deque<Answer> answers;
    std::vector<std::string> questions;
    std::vector<std::string> stopMessages;
};

class NoFileChooser : public FileChooser {
public:
    bool ChooseFile(const FileChooserRequest&, std::string&) override
    {
        throw std::logic_error("unexpected file dialog");
    }
};

// Dialogs answered from a script: each run applies the next scripted edit to the fields.
class ScriptedDialogs : public NetworkDialogs {
public:
    bool RunShapeDialog(ShapeFields& fields) override
    {
        shownShapes.push_back(fields);
        if (!shapeAnswer)
            return false;
        fields = *shapeAnswer;
        return true;
    }
    bool RunTrainingDataDialog(TrainingDataFields& fields) override
    {
        if (!trainingAnswer)
            return false;
        fields = *trainingAnswer;
        return true;
    }
    ConsultOutcome RunConsultSheet(ConsultFields& fields) override
    {
        shownConsultPaths.push_back(fields.inputPath + "|" + fields.outputPath);
        fields.inputPath = consultInputPath;
        fields.outputPath = consultOutputPath;
        for (size_t i = 0; i < consultValues.size(); ++i)
            fields.values[i] = consultValues[i];
        return consultOutcome;
    }
    void ShowReport(const std::string& text) override { reports.push_back(text); }

    std::optional<ShapeFields> shapeAnswer;
    std::optional<TrainingDataFields> trainingAnswer;
    std::string consultInputPath;
    std::string consultOutputPath;
    std::vector<double> consultValues;
    ConsultOutcome consultOutcome;
    std::vector<ShapeFields> shownShapes;
    std::vector<std::string> shownConsultPaths;
    std::vector<std::string> reports;
};

// Records the hints a document sends.
class HintRecorder : public CView {
public:
    void OnUpdate(CView*, UpdateHint hint) override { hints.push_back(hint); }
    std::vector<UpdateHint> hints;
};

// A new default document wired to scripted dialogs, a hint recorder and a temporary folder.
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

    std::string Save() const { return SaveDocument(const_cast<CCorvinaDoc&>(document)); }

    static std::string SaveDocument(CCorvinaDoc& doc)
    {
        std::ostringstream out;
        CArchive archive(out);
        doc.Serialize(archive);
        return out.str();
    }

    static void Load(CCorvinaDoc& doc, const std::string& bytes)
    {
        std::istringstream in(bytes);
        CArchive archive(in, bytes.size());
        doc.Serialize(archive);
    }

    // Writes text as a file in the temporary folder and returns its path.
    std::string DataFile(const std::string& name, const std::string& text)
    {
        const std::string path = folder.Path(name);
        WriteFile(path, text);
        return path;
    }

    ScriptedMessages messages;
    NoFileChooser files;
    ScriptedDialogs dialogs;
    UserInterface ui{messages, files, dialogs};
    CCorvinaDoc document{&ui};
    HintRecorder view;
    TempDir folder;
};
