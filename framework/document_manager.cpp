#include "framework/document_manager.h"

#include <new>
#include <sstream>

#include "framework/input_file.h"

CDocumentManager::CDocumentManager(CDocument& doc, MessageBoxes& messageBoxes, FileChooser& chooser,
                                   FileStore& fileStore, DocumentFileType fileType)
    : document(doc), messages(messageBoxes), files(chooser), store(fileStore), type(std::move(fileType))
{
}

bool CDocumentManager::FileNew()
{
    if (!SaveModified())
        return false;
    if (!document.OnNewDocument())
        return false;
    document.SendInitialUpdate();
    return true;
}

bool CDocumentManager::FileOpen()
{
    std::string path;
    if (!AskForPath(FileDialogMode::Open, path))
        return false;
    return OpenDocumentFile(path);
}

bool CDocumentManager::OpenDocumentFile(const std::string& path)
{
    if (!SaveModified())
        return false;
    std::string reason;
    switch (Load(path, reason)) {
    case LoadOutcome::Loaded:
        document.SetPathName(path);
        document.SetModifiedFlag(false);
        document.SendInitialUpdate();
        if (onDocumentPathUsed)
            onDocumentPathUsed(path);
        return true;
    case LoadOutcome::Unreadable:
        messages.ShowStopMessage("Cannot open the document " + path + ".\n" + reason);
        break;
    case LoadOutcome::Failed:
        messages.ShowStopMessage("Failed to open the document " + path + ".\n" + reason);
        // The partial load has already replaced the contents: start afresh instead.
        document.OnNewDocument();
        document.SendInitialUpdate();
        break;
    }
    if (onDocumentPathFailed)
        onDocumentPathFailed(path);
    return false;
}

CDocumentManager::LoadOutcome CDocumentManager::Load(const std::string& path, std::string& reason)
{
    InputFile file;
    if (!file.Open(path, reason))
        return LoadOutcome::Unreadable;
    // An empty file is taken as it is, without a load: the contents stay.
    if (file.Size() == 0)
        return LoadOutcome::Loaded;
    try {
        CArchive archive(file.Stream(), file.Size());
        document.Serialize(archive);
    } catch (const CArchiveException& error) {
        reason = error.what();
        return LoadOutcome::Failed;
    } catch (const std::bad_alloc&) {
        reason = "There is not enough memory to load it.";
        return LoadOutcome::Failed;
    } catch (const std::exception& error) {
        // Whatever else the document refuses fails the load the same way, not the program.
        reason = std::string("It is not a valid network file: ") + error.what() + ".";
        return LoadOutcome::Failed;
    }
    return LoadOutcome::Loaded;
}

bool CDocumentManager::FileSave()
{
    std::string path = document.GetPathName();
    if (path.empty() && !AskForPath(FileDialogMode::SaveAs, path))
        return false;
    return SaveDocumentAs(path);
}

bool CDocumentManager::FileSaveAs()
{
    std::string path = document.GetPathName();
    if (!AskForPath(FileDialogMode::SaveAs, path))
        return false;
    return SaveDocumentAs(path);
}

bool CDocumentManager::SaveDocumentAs(const std::string& path)
{
    std::ostringstream bytes(std::ios::binary);
    std::string error;
    try {
        CArchive archive(bytes);
        document.Serialize(archive);
        if (archive.HasFailed())
            error = "The document could not be written.";
    } catch (const std::bad_alloc&) {
        error = "There is not enough memory to save it.";
    }
    if (error.empty() && store.WriteWholeFile(path, bytes.view(), error)) {
        document.SetPathName(path);
        document.SetModifiedFlag(false);
        if (onDocumentPathUsed)
            onDocumentPathUsed(path);
        return true;
    }
    messages.ShowStopMessage("Failed to save the document " + path + ".\n" + error);
    return false;
}

bool CDocumentManager::SaveModified()
{
    if (!document.IsModified())
        return true;
    switch (messages.AskSaveChanges(document.GetTitle())) {
    case SaveChangesAnswer::Save:
        return FileSave();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        return false;
    }
    return false;
}

bool CDocumentManager::AskForPath(FileDialogMode mode, std::string& path)
{
    FileChooserRequest request;
    request.mode = mode;
    request.filters = {{type.filterName, "*." + type.extension}, {"All Files (*.*)", "*"}};
    request.defaultExtension = type.extension;
    return files.ChooseFile(request, path);
}
