#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "framework/file_chooser.h"

// A file chooser answered from a script: a path for OK, nullopt for Cancel; it records what it
// was asked and the initial path it was offered.
class ScriptedChooser : public FileChooser {
public:
    bool ChooseFile(const FileChooserRequest& request, std::string& path) override
    {
        requests.push_back(request);
        offeredPaths.push_back(path);
        std::optional<std::string> answer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        if (!answer)
            return false;
        path = *answer;
        return true;
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<FileChooserRequest> requests;
    std::vector<std::string> offeredPaths;
};
