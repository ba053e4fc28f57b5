#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/document.h"
#include "framework/file_chooser.h"
#include "framework/message_boxes.h"

// A document of 32-bit integers, stored as their count and then the values. New makes it {7}.
class FakeDocument : public CDocument {
public:
    bool OnNewDocument() override
    {
        values = {7};
        return CDocument::OnNewDocument();
    }

    void Serialize(CArchive& archive) override
    {
        if (archive.IsStoring()) {
            archive << static_cast<int32_t>(values.size());
            for (int32_t value : values)
                archive << value;
            return;
        }
        if (throwOnLoad)
            throw std::length_error("shape refused");
        int32_t count = 0;
        archive >> count;
        values.clear();  // a load that fails part-way leaves the contents damaged
        for (int32_t i = 0; i < count; ++i) {
            int32_t value = 0;
            archive >> value;
            values.push_back(value);
        }
    }

    std::vector<int32_t> values = {7};
    bool throwOnLoad = false;
};

// Counts the updates it receives, the initial one included.
class RecordingView : public CView {
public:
    void OnUpdate(CView*, UpdateHint) override { ++updates; }
    size_t updates = 0;
};

// Answers the save question and the file dialogs from scripts, and records what it was shown.
class ScriptedUser : public MessageBoxes, public FileChooser {
public:
    Answer AskYesNo(const std::string&) override { throw std::logic_error("unexpected question"); }
    void ShowStopMessage(const std::string& text) override { stops.push_back(text); }
    void ShowStatusNote(const std::string&) override { throw std::logic_error("unexpected note"); }
    SaveChangesAnswer AskSaveChanges(const std::string& title) override
    {
        asked.push_back(title);
        return saveAnswers.at(asked.size() - 1);
    }
    // A path in fileAnswers is OK, "" is Cancel.
    bool ChooseFile(const FileChooserRequest& request, std::string& path) override
    {
        requests.push_back(request);
        offered.push_back(path);
        const std::string answer = fileAnswers.at(requests.size() - 1);
        if (!answer.empty())
            path = answer;
        return !answer.empty();
    }

    std::vector<SaveChangesAnswer> saveAnswers;
    std::vector<std::string> fileAnswers, asked, offered, stops;
    std::vector<FileChooserRequest> requests;
};
