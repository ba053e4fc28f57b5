#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/corvina_doc.h"
#include "document/network_file.h"
#include "document/training_import.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/rows.h"

// The little-endian bytes of 32-bit integers, as a file holds them.
inline std::string Ints(std::initializer_list<int32_t> values)
{
    std::string bytes;
    for (int32_t value : values)
        bytes.append(reinterpret_cast<const char*>(&value), 4);
    return bytes;
}

// The file of an untrained network: zero weights, identity tables, no patterns or passes, the
// reset average.
inline std::string FreshFile(int32_t layers, int32_t inputs, int32_t outputs)
{
    std::string bytes = Ints({layers, inputs, outputs}) + std::string(static_cast<size_t>(4 * (layers * inputs + outputs)), '\0');
    for (int32_t entry = 0; entry < 256 * (inputs + outputs); ++entry) {
        const double value = entry % 256;
        bytes.append(reinterpret_cast<const char*>(&value), 8);
    }
    return bytes + Ints({0, 0, 10922});
}

// A new default document on the scripted interface, with a temporary folder; the fixture is the
// document's view and records the hints it gets.
class DocumentTest : public testing::Test, public CView {
protected:
    DocumentTest()
    {
        document.Model().Random().Seed(12345);
        document.OnNewDocument();
        document.AddView(this);
    }
    ~DocumentTest() override { document.RemoveView(this); }
    void OnUpdate(CView*, UpdateHint hint) override { hints.push_back(hint); }

    std::string Save() const { return WriteNetwork(document.Model()); }
    std::string DataFile(const std::string& name, const std::string& text)
    {
        WriteFile(folder.Path(name), text);
        return folder.Path(name);
    }
    // Makes the records of text the document's patterns, through its current tables.
    void Import(const std::string& text, bool makeNewTables = false)
    {
        document.ImportTrainingData(DataFile("import.txt", text), makeNewTables);
    }

    ScriptedUi scripted;
    UserInterface ui = scripted.Interface();
    CCorvinaDoc document{ui};
    std::vector<UpdateHint> hints;
    TempDir folder;
};
