#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/document.h"
#include "framework/file_chooser.h"
#include "framework/message_boxes.h"
#include "framework/view.h"

// A document of a few integers: a count, then the values, each a 32-bit integer.
class FakeDocument : public CDocument {
public:
    static inline const std::vector<int32_t> NewContents = {7};

    bool OnNewDocument() override
    {
        ++newCalls;
        if (!CDocument::OnNewDocument())
            return false;
        values = NewContents;
        return true;
    }

    void Serialize(CArchive& archive) override
    {
        ++serializeCalls;
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
        // A load changes the contents as it goes, so a failure part-way leaves them damaged.
        values.clear();
        for (int32_t i = 0; i < count; ++i) {
            int32_t value = 0;
            archive >> value;
            values.push_back(value);
        }
    }

    std::vector<int32_t> values = NewContents;
    int newCalls = 0;
    int serializeCalls = 0;
    bool throwOnLoad = false;
};

// Records every update it receives.
class RecordingView : public CView {
public:
    void OnInitialUpdate() override
    {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }

    void OnUpdate(CView* sender, UpdateHint hint) override
    {
        senders.push_back(sender);
        hints.push_back(hint);
    }

    int initialUpdates = 0;
    std::vector<CView*> senders;
    std::vector<UpdateHint> hints;
};

// Message boxes answered from a script; every message and question is recorded.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    Answer AskYesNo(const std::string& text) override
    {
        questions.push_back(text);
        return Answer::Yes;
    }

    void ShowStopMessage(const std::string& text) override { stopMessages.push_back(text); }

    SaveChangesAnswer AskSaveChanges(const std::string& documentTitle) override
    {
        saveQuestions.push_back(documentTitle);
        if (saveAnswers.empty())
            throw std::logic_error("unexpected save question");
        const SaveChangesAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }

    std::deque<SaveChangesAnswer> saveAnswers;
    std::vector<std::string> questions;
    std::vector<std::string> stopMessages;
    std::vector<std::string> saveQuestions;
};

// A file dialog answered from a script: a path for OK, nullopt for Cancel.
class ScriptedFileChooser : public FileChooser {
public:
    bool ChooseFile(const FileChooserRequest& request, std::string& path) override
    {
        requests.push_back(request);
        initialPaths.push_back(path);
        if (answers.empty())
            throw std::logic_error("unexpected file dialog");
        const std::optional<std::string> answer = answers.front();
        answers.pop_front();
        if (!answer)
            return false;
        path = *answer;
        return true;
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<FileChooserRequest> requests;
    std::vector<std::string> initialPaths;
};
