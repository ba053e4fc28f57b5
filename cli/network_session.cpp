#include "cli/network_session.h"

NetworkSession::NetworkSession(std::ostream& err)
    : messages(err),
      userInterface{messages, dialogs, dialogs},
      document(&userInterface),
      manager(document, messages, dialogs, store, {"Corvina Files (*.cvn)", "cvn"})
{
}

bool NetworkSession::Open(const std::string& path)
{
    return manager.OpenDocumentFile(path);
}

bool NetworkSession::SaveAs(const std::string& path)
{
    return manager.SaveDocumentAs(path);
}
