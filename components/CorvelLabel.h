#pragma once
// A label that behaves like a hyperlink: link, hover and visited colours (its own
// or the browser's), an optional one-pixel 3-D shadow, and a launch through the
// Windows shell when clicked.
#include "framework/system/Registry.h"
#include "framework/widgets/Label.h"

#include <memory>

using TLaunchLinkEvent = TEvent<TObject*, bool&>;

class TCorvelLabel : public TLabel {
    FW_CLASS(TCorvelLabel)
public:
    explicit TCorvelLabel(TComponent* AOwner);
    ~TCorvelLabel() override;

    bool Use3DEffect() const { return FUse3DEffect; }
    bool Use3DEffectHover() const { return FUse3DEffectHover; }
    bool IsLink() const { return FIsLink; }
    bool UseIEDefaults() const { return FUseIEDefaults; }
    bool UseHover() const { return FUseHover; }
    const std::string& Link() const { return FLink; }
    void SetLink(const std::string& value) { FLink = value; }
    const std::string& LinkParameter() const { return FLinkParameter; }
    void SetLinkParameter(const std::string& value) { FLinkParameter = value; }
    TColor LinkColor() const { return FLinkColor; }
    TColor HoverColor() const { return FHoverColor; }
    TColor VisitedColor() const { return FVisitedColor; }
    TColor Color3D() const { return FColor3D; }
    TColor Color3DHover() const { return FColor3DHover; }

    virtual void SetIsLink(bool value);
    virtual void SetIEDefaults(bool value);
    virtual void SetUseHover(bool value);
    virtual void Set3DEffect(bool value);
    virtual void Set3DEffectHover(bool value);
    virtual void SetVisited(bool value);
    virtual void SetLinkColor(TColor value);
    virtual void SetHoverColor(TColor value);
    virtual void Set3DColor(TColor value);
    virtual void Set3DColorHover(TColor value);
    virtual void SetVisitedColor(TColor value);

    // Run-time state.
    bool Visited() const { return FVisited; }
    bool Hovering() const { return FHovering; }
    bool JustLaunched() const { return FJustLaunched; }
    bool IEUseHoverColor() const { return FIEUseHoverColor; }
    TColor IEAnchorColor() const { return FIEAnchorColor; }
    TColor IEVisitedColor() const { return FIEVisitedColor; }
    TColor IEHoverColor() const { return FIEHoverColor; }

    // The browser's link colours, read once by the constructor.
    void LoadIEDefaults();
    // "r,g,b" of a browser setting as a colour; black when it does not parse.
    TColor ReadIEColorParameter(const std::string& Name, const std::string& Default);
    std::string ReadStringParameter(const std::string& Name, const std::string& Default);

    void Click() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    // Hands File to the shell; when the shell refuses, tells the user why.
    void PerformShellExecute(const std::string& Operation, const std::string& File, const std::string& Parameters,
                             const std::string& Directory);

protected:
    void DoDrawText(TRect& Rect, UINT Flags) override;

private:
    std::string ReadSetting(const std::string& Name, const std::string& Default);
    TColor TextColor() const;

    bool FVisited = false;
    bool FIsLink = true;
    bool FUseIEDefaults = true;
    bool FUseHover = true;
    bool FUse3DEffect = false;
    bool FUse3DEffectHover = false;
    TColor FLinkColor = clHighlight;
    TColor FHoverColor = clBlack;
    TColor FColor3D = clYellow;
    TColor FColor3DHover = clYellow;
    TColor FVisitedColor = clPurple;
    std::string FLink;
    std::string FLinkParameter;

public:
    TLaunchLinkEvent OnBeforeLaunchLink;
    TNotifyEvent OnAfterLaunchLink;

private:
    bool FHovering = false;
    bool FJustLaunched = false;
    bool FIEUseHoverColor = false;
    TColor FIEAnchorColor = clBlack;
    TColor FIEVisitedColor = clBlack;
    TColor FIEHoverColor = clBlack;
    std::unique_ptr<TRegistry> FRegistry;
};

// The message the shell's result stands for, as shown to the user.
const char* ShellErrorMessage(INT_PTR result);

namespace CorvelLabel {
// Puts TCorvelLabel on the palette page "Corvel" with its property categories.
void Register();
} // namespace CorvelLabel
