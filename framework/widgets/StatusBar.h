#pragma once
// The system status bar: panels of text, or one simple panel; an owner-drawn panel
// is painted by OnDrawPanel on the bar's canvas. With AutoHint it shows the
// application's hint.
#include "framework/controls/Controls.h"
#include "framework/core/Collection.h"

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
    FW_CLASS(TStatusPanel)
public:
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle value);
    const std::string& Text() const { return FText; }
    void SetText(const std::string& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);

private:
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
    std::string FText;
    int FWidth = 50;
};

using TStatusPanels = TTypedCollection<TStatusPanel>;
class TStatusBar;
using TDrawPanelEvent = TEvent<TStatusBar*, TStatusPanel*, const TRect&>;

class TStatusBar : public TWinControl {
    FW_CLASS(TStatusBar)
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const { return FPanels.get(); }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool value);
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool value) { FAutoHint = value; }
    TCanvas* Canvas() const { return FCanvas.get(); }

    TDrawPanelEvent OnDrawPanel;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void ColorChanged() override;
    void ChangeScale(int M, int D) override;
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);

private:
    void UpdatePanels();

    std::unique_ptr<TStatusPanels> FPanels;
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FSimplePanel = false;
    std::string FSimpleText;
    bool FSizeGrip = true;
    bool FAutoHint = false;
};
