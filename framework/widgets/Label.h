#pragma once
// A line of text drawn on the parent's surface, optionally sized to its text.
#include "framework/controls/Controls.h"

class TCustomLabel : public TGraphicControl {
    FW_CLASS(TCustomLabel)
public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    void Loaded() override;

protected:
    void Paint() override;
    // Draws the caption into Rect with DrawText flags; with DT_CALCRECT it measures
    // instead, leaving the text's extent in Rect.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    // The caption as DoDrawText draws it, with Flags completed: one blank when
    // measuring an empty caption (so it is one line high), DT_NOPREFIX without
    // accelerator characters.
    std::string TextToDraw(UINT& Flags) const;
    // One DrawTextA of Text in Color on the canvas, moved by (dx, dy); Rect comes
    // back where it was (with the measured extent under DT_CALCRECT).
    void DrawTextInColor(const std::string& Text, TRect& Rect, UINT Flags, TColor Color, int dx = 0, int dy = 0);
    // The disabled look: a highlight one pixel down and right, the shadow colour on top.
    void DrawDisabledText(const std::string& Text, TRect& Rect, UINT Flags);
    // Fits the bounds to the caption when AutoSize is on.
    void AdjustBounds();
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
    FW_CLASS(TLabel)
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
