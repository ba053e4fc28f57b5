#include "cli/network_session.h"

#include <filesystem>

NetworkSession::NetworkSession(std::ostream& err)
    : messages(err),
      userInterface{messages, dialogs, dialogs},
      document(&userInterface),
      manager(document, messages, dialogs, store, {"Corvina Files (*.cvn)", "cvn"})
{
    // Every command then has a network to work on, whatever it opens.
    document.OnNewDocument();
}

bool NetworkSession::Open(const std::string& path)
{
    // The framework opens an empty file as the current document under a new name; on the
    // command line that would quietly stand a new network in for a file that holds none.
    std::error_code sizeError;
    if (std::filesystem::is_regular_file(path, sizeError) && std::filesystem::file_size(path, sizeError) == 0 &&
        !sizeError) {
        messages.ShowStopMessage("Failed to open the document " + path + ".\nThe file is empty: it holds no network.");
        return false;
    }
    return manager.OpenDocumentFile(path);
}

bool NetworkSession::SaveAs(const std::string& path)
{
    return manager.SaveDocumentAs(path);
}
