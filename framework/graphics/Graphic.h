#pragma once
// A picture that can draw itself on a canvas.
#include "framework/core/Events.h"
#include "framework/core/Object.h"
#include "framework/graphics/Types.h"

class TCanvas;

class TGraphic : public TPersistent {
    FW_CLASS(TGraphic)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    // A transparent graphic leaves the canvas as it was where it has its transparent colour.
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // Draws the whole graphic into Rect, stretched to its size.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

    // Fired after every change of the picture or its properties.
    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
};
