#pragma once
// The system clipboard, as text in the ANSI code page.
#include "framework/core/Object.h"
#include "framework/system/Handles.h"

#include <string>

#include <windows.h>

class TClipboard : public TPersistent {
    FW_CLASS(TClipboard)
public:
    TClipboard() = default;
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // Whether the clipboard holds data of the format (CF_TEXT, ...), directly or
    // by the system's conversion.
    bool HasFormat(UINT Format) const;
    // The text on the clipboard; "" when it holds none.
    std::string AsText() const;
    // Replaces everything on the clipboard with Value.
    void SetAsText(const std::string& Value);

private:
    HWND OwnerWindow();

    // Data can only be put on the clipboard by a window: the system makes the
    // opener its owner and refuses data from an ownerless clipboard.
    TWindowHandle FOwner;
};

// The program's clipboard object, created on first use.
TClipboard* Clipboard();
