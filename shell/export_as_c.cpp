#include "shell/export_as_c.h"

#include <filesystem>
#include <new>

#include "document/c_export.h"
#include "document/c_export_adapter.h"
#include "document/c_export_files.h"
#include "document/c_identifier.h"
#include "document/corvina_doc.h"
#include "framework/user_interface.h"

namespace fs = std::filesystem;

namespace {

// The document's own folder and its stem made into a C name, or that name alone for a
// document never saved.
std::string SuggestedPath(const CCorvinaDoc& document)
{
    const fs::path title(document.GetTitle());
    const fs::path file(CNameFromStem(title.stem().string()) + ".c");
    const std::string& documentPath = document.GetPathName();
    return documentPath.empty() ? file.string() : (fs::path(documentPath).parent_path() / file).string();
}

// The name the user chose: the file name without its .c or .h extension.
std::string ChosenName(const fs::path& chosen)
{
    const fs::path extension = chosen.extension();
    return extension == ".c" || extension == ".h" ? chosen.stem().string() : chosen.filename().string();
}

}  // namespace

void ExportDocumentAsC(const CCorvinaDoc& document, UserInterface& ui)
{
    const FileChooserRequest request{FileDialogMode::SaveAs, {{"C Source Files (*.c)", "*.c"}}, "c"};
    std::string path = SuggestedPath(document);
    if (!ui.files.ChooseFile(request, path))
        return;
    const fs::path chosen(path);
    CExportOptions options;
    options.name = ChosenName(chosen);
    if (!IsUsableCName(options.name)) {
        // Built by appending: GCC 12 misreports chains of + on short literals (-Wrestrict).
        std::string message = "\"";
        message.append(options.name);
        message.append("\" cannot name exported C code. Use a letter, then letters, digits and underscores, and "
                       "no C keyword.");
        ui.messages.ShowStopMessage(message);
        return;
    }
    std::string error = CExportRefusal(document.GetLayersCount(), document.GetInputCount(),
                                       document.GetOutputCount(), options.tables)
                            .value_or("");
    // WriteCExportFiles leaves error empty when it succeeds.
    try {
        if (error.empty())
            WriteCExportFiles(chosen.parent_path().string(), options.name,
                              GenerateCExport(CExportModelOf(document.Model(), document.GetTitle()), options), error);
    } catch (const std::bad_alloc&) {
        error = "there is not enough memory for the source text";
    }
    if (!error.empty())
        ui.messages.ShowStopMessage("The network could not be exported as C: " + error + ".");
}
