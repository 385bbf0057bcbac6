#pragma once
// The input method editor a text-taking control asks for while it has the focus:
// ImeMode opens or closes it, turns it off for the window, or picks a conversion
// mode; ImeName names the input method's keyboard layout to switch to. Only the
// controls that publish them link the input method calls.
#include "framework/core/TypeInfo.h"

#include <string>

enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
                imSHanguel, imHanguel };

const TEnumInfo& ImeModeInfo();

// Puts the input method of Window, which has just received the focus, in Mode.
// imDontCare leaves it as it is; a system without input methods changes nothing.
void ApplyImeMode(HWND Window, TImeMode Mode);
// Switches to the input method whose description is Name (ignoring case); an empty
// or unknown name changes nothing.
void ApplyImeName(const std::string& Name);
