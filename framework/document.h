#pragma once

#include <string>
#include <vector>

#include "framework/archive.h"
#include "framework/update_hint.h"
#include "framework/view.h"

// The base of a document: its path, its modified flag, its views, and the hooks that the
// document manager calls for New, Open and Save.
class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;

    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    void SetModifiedFlag(bool isModified = true) { modified = isModified; }
    bool IsModified() const { return modified; }

    // Views are not owned; a view removes itself before it is destroyed.
    void AddView(CView* view);
    void RemoveView(CView* view);

    // Tells every view but sender what changed.
    void UpdateAllViews(CView* sender, UpdateHint hint);

    // Runs every view's initial update, as after New and Open.
    void SendInitialUpdate();

    const std::string& GetPathName() const { return pathName; }
    void SetPathName(const std::string& path) { pathName = path; }

    // The file name of the path, or "Untitled" for a document never saved.
    std::string GetTitle() const;

    // The New step. Derived documents call this first and then build their contents.
    virtual bool OnNewDocument();

    // Stores the document into the archive, or replaces it by what the archive loads. A load
    // that cannot complete throws CArchiveException.
    virtual void Serialize(CArchive& archive) = 0;

private:
    std::string pathName;
    bool modified = false;
    std::vector<CView*> views;
};
