#include "components/CorvelLabel.h"

#include "framework/designer/Registration.h"
#include "framework/forms/Application.h"
#include "framework/system/Shell.h"
#include "framework/text/SysUtils.h"

#include <shellapi.h>

FW_BEGIN_CLASS(TCorvelLabel, TLabel)
    .Bool("Use3DEffect", &C::Use3DEffect, &C::Set3DEffect, false)
    .Bool("Use3DEffectHover", &C::Use3DEffectHover, &C::Set3DEffectHover, false)
    .Bool("IsLink", &C::IsLink, &C::SetIsLink, true)
    .Bool("UseIEDefaults", &C::UseIEDefaults, &C::SetIEDefaults, true)
    .Bool("UseHover", &C::UseHover, &C::SetUseHover, true)
    .String("Link", &C::Link, &C::SetLink, "")
    .String("LinkParameter", &C::LinkParameter, &C::SetLinkParameter, "")
    .Integer("LinkColor", &C::LinkColor, &C::SetLinkColor, clHighlight, &ColorIdents())
    .Integer("HoverColor", &C::HoverColor, &C::SetHoverColor, clBlack, &ColorIdents())
    .Integer("VisitedColor", &C::VisitedColor, &C::SetVisitedColor, clPurple, &ColorIdents())
    .Integer("Color3D", &C::Color3D, &C::Set3DColor, clYellow, &ColorIdents())
    .Integer("Color3DHover", &C::Color3DHover, &C::Set3DColorHover, clYellow, &ColorIdents())
    .Event("OnBeforeLaunchLink", &C::OnBeforeLaunchLink)
    .Event("OnAfterLaunchLink", &C::OnAfterLaunchLink)
FW_END_CLASS

namespace {
const char* const BrowserSettingsKey = "Software\\Microsoft\\Internet Explorer\\Settings\\";
} // namespace

TCorvelLabel::TCorvelLabel(TComponent* AOwner) : TLabel(AOwner), FRegistry(std::make_unique<TRegistry>())
{
    // The browser settings are read for every label, whatever UseIEDefaults will be.
    LoadIEDefaults();
}

TCorvelLabel::~TCorvelLabel()
{
    try {
        FRegistry.reset();
    } catch (...) {
    }
}

// --- browser settings ---

std::string TCorvelLabel::ReadSetting(const std::string& Name, const std::string& Default)
{
    std::string value;
    FRegistry->SetRootKey(HKEY_CURRENT_USER);
    if (FRegistry->OpenKeyReadOnly(BrowserSettingsKey)) {
        try {
            value = FRegistry->ReadString(Name);
        } catch (const Exception&) {
            value.clear(); // a value of another type counts as missing
        }
        if (value.empty())
            value = Default;
    } else {
        value = Default;
    }
    FRegistry->CloseKey();
    return value;
}

std::string TCorvelLabel::ReadStringParameter(const std::string& Name, const std::string& Default)
{
    return ReadSetting(Name, Default);
}

TColor TCorvelLabel::ReadIEColorParameter(const std::string& Name, const std::string& Default)
{
    std::string value = ReadSetting(Name, Default);
    try {
        int red = 0, green = 0, blue = 0;
        const size_t first = value.find(',');
        if (first != std::string::npos) {
            red = StrToInt(value.substr(0, first));
            value = value.substr(first + 1);
            const size_t second = value.find(',');
            if (second != std::string::npos) {
                green = StrToInt(value.substr(0, second));
                blue = StrToInt(value.substr(second + 1));
            }
        }
        return (red & 0xFF) + (green & 0xFF) * 0x100 + (blue & 0xFF) * 0x10000;
    } catch (const Exception&) {
        return clBlack;
    }
}

void TCorvelLabel::LoadIEDefaults()
{
    try {
        FIEAnchorColor = ReadIEColorParameter("Anchor Color", "128,128,128");
        FIEHoverColor = ReadIEColorParameter("Anchor Color Hover", "128,128,128");
        FIEVisitedColor = ReadIEColorParameter("Anchor Color Visited", "128,128,128");
        const std::string text = AnsiUpperCase(ReadStringParameter("Use Anchor Hover Color", "YES"));
        FIEUseHoverColor = text == "YES" || text == "Y" || text == "OUI" || text == "O";
    } catch (const std::exception&) {
        // A registry that cannot be read leaves the defaults: construction never fails on it.
    }
}

// --- setters: store, then repaint when the change can show ---

void TCorvelLabel::SetIsLink(bool value)
{
    if (value == FIsLink)
        return;
    FIsLink = value;
    Repaint();
}

void TCorvelLabel::SetIEDefaults(bool value)
{
    if (value == FUseIEDefaults)
        return;
    FUseIEDefaults = value;
    Repaint();
}

void TCorvelLabel::SetVisited(bool value)
{
    if (value == FVisited)
        return;
    FVisited = value;
    Repaint();
}

namespace {
template <class T>
bool Store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
} // namespace

void TCorvelLabel::SetUseHover(bool value)
{
    if (Store(FUseHover, value) && !FUseIEDefaults)
        Repaint();
}

void TCorvelLabel::Set3DEffect(bool value)
{
    if (Store(FUse3DEffect, value) && !FUseIEDefaults)
        Repaint();
}

void TCorvelLabel::Set3DEffectHover(bool value)
{
    if (Store(FUse3DEffectHover, value) && !FUseIEDefaults)
        Repaint();
}

void TCorvelLabel::Set3DColor(TColor value)
{
    if (Store(FColor3D, value) && !FUseIEDefaults)
        Repaint();
}

void TCorvelLabel::Set3DColorHover(TColor value)
{
    if (Store(FColor3DHover, value) && !FUseIEDefaults)
        Repaint();
}

void TCorvelLabel::SetHoverColor(TColor value)
{
    if (Store(FHoverColor, value) && !FUseIEDefaults)
        Repaint();
}

void TCorvelLabel::SetLinkColor(TColor value)
{
    if (Store(FLinkColor, value) && !FUseIEDefaults && !FVisited)
        Repaint();
}

void TCorvelLabel::SetVisitedColor(TColor value)
{
    if (Store(FVisitedColor, value) && !FUseIEDefaults && FVisited)
        Repaint();
}

// --- pointer and launch ---

void TCorvelLabel::MouseMove(TShiftState Shift, int X, int Y)
{
    const bool wasHovering = FHovering;
    TLabel::MouseMove(Shift, X, Y);
    if (X < 0 || Y < 0 || X > Width() || Y > Height()) {
        FHovering = false;
        SetMouseCapture(false);
    } else if (FJustLaunched) {
        // Push the pointer just above the label, so that the visited colour shows
        // until the user comes back onto the link.
        FJustLaunched = false;
        FHovering = false;
        SetMouseCapture(false);
        Repaint();
        const TPoint above = ClientToScreen(TPoint(X, -1));
        SetCursorPos(above.x, above.y);
        return;
    } else {
        SetMouseCapture(true);
        FHovering = true;
    }
    if (FHovering != wasHovering)
        Repaint();
}

void TCorvelLabel::Click()
{
    TLabel::Click();
    if (!FIsLink)
        return;
    bool launch = true;
    SetMouseCapture(false);
    FHovering = false;
    if (OnBeforeLaunchLink)
        OnBeforeLaunchLink(this, launch);
    if (launch) {
        FJustLaunched = true;
        PerformShellExecute("Open", FLink.empty() ? Caption() : FLink, FLinkParameter, "");
        SetVisited(true);
        if (OnAfterLaunchLink)
            OnAfterLaunchLink(this);
    }
    Repaint();
}

const char* ShellErrorMessage(INT_PTR result)
{
    switch (result) {
    case SE_ERR_FNF: return "The specified file was not found.";
    case SE_ERR_PNF: return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED: return "The operating system denied access to the specified file.";
    case SE_ERR_OOM: return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return "A sharing violation occurred.";
    case SE_ERR_DDETIMEOUT: return "The DDE transaction could not be completed because the request timed out.";
    case SE_ERR_DDEFAIL: return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not be completed because other DDE transactions were being processed.";
    case SE_ERR_NOASSOC: return "There is no application associated with the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return "The specified dynamic-link library was not found.";
    default: return "An unspecified error occured.";
    }
}

void TCorvelLabel::PerformShellExecute(const std::string& Operation, const std::string& File,
                                       const std::string& Parameters, const std::string& Directory)
{
    const HINSTANCE instance =
        ShellExecuteProc()(nullptr, Operation.c_str(), File.c_str(), Parameters.c_str(), Directory.c_str(), SW_SHOW);
    const auto result = reinterpret_cast<INT_PTR>(instance);
    if (result > 32)
        return;
    const std::string text = std::string(ShellErrorMessage(result)) + " (File: '" + File + "')";
    Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONEXCLAMATION);
}

// --- drawing ---

TColor TCorvelLabel::TextColor() const
{
    if (FUseIEDefaults) {
        if (FHovering && FIEUseHoverColor)
            return FIEHoverColor;
        return FVisited ? FIEVisitedColor : FIEAnchorColor;
    }
    if (FHovering && FUseHover)
        return FHoverColor;
    return FVisited ? FVisitedColor : FLinkColor;
}

void TCorvelLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    const std::string text = TextToDraw(Flags);
    Canvas()->Font()->Assign(Font());
    if (!Enabled()) {
        DrawDisabledText(text, Rect, Flags);
        return;
    }
    if (!FIsLink) {
        DrawTextInColor(text, Rect, Flags, Font()->Color());
        return;
    }
    // The shadow goes first, under the text.
    if (FUse3DEffect && !FHovering)
        DrawTextInColor(text, Rect, Flags, FColor3D, 1, 1);
    if (FUse3DEffectHover && FHovering)
        DrawTextInColor(text, Rect, Flags, FColor3DHover, 1, 1);
    DrawTextInColor(text, Rect, Flags, TextColor());
}

namespace CorvelLabel {
void Register()
{
    auto& designer = DesignerRegistry();
    const TClassInfo& cls = TCorvelLabel::StaticClass();
    designer.RegisterComponents("Corvel", {&cls});
    for (const char* name : {"UseIEDefaults", "Use3DEffect", "Use3DEffectHover", "UseHover"})
        designer.RegisterPropertyInCategory(TVisualCategory(), cls, name);
    for (const char* name : {"IsLink", "Link", "LinkParameter"})
        designer.RegisterPropertyInCategory(TActionCategory(), cls, name);
}
} // namespace CorvelLabel
