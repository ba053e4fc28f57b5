#include "framework/document.h"

#include <algorithm>
#include <filesystem>

void CDocument::AddView(CView* view)
{
    views.push_back(view);
}

void CDocument::RemoveView(CView* view)
{
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
}

void CDocument::UpdateAllViews(CView* sender, UpdateHint hint)
{
    for (CView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint);
}

void CDocument::SendInitialUpdate()
{
    for (CView* view : views)
        view->OnInitialUpdate();
}

std::string CDocument::GetTitle() const
{
    if (pathName.empty())
        return "Untitled";
    return std::filesystem::path(pathName).filename().string();
}

bool CDocument::OnNewDocument()
{
    pathName.clear();
    modified = false;
    return true;
}
