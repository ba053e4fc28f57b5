#pragma once

#include "framework/update_hint.h"

// A window that shows a document and is refreshed by it through update hints.
class CView {
public:
    virtual ~CView() = default;

    // Called when the view first shows a document, and again after every New and Open.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, UpdateHint::All); }

    // Refreshes what the hint says has changed; sender is the view that caused it, if any.
    virtual void OnUpdate(CView* sender, UpdateHint hint) = 0;
};
