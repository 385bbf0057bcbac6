#pragma once
// A non-visual container of components, loaded from a form resource. Its position
// and size are the designer's and have no effect when the program runs.
#include "framework/core/Component.h"

class TDataModule : public TComponent {
    FW_CLASS(TDataModule)
public:
    explicit TDataModule(TComponent* AOwner) : TComponent(AOwner) {}

    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }
    int Left() const { return FLeft; }
    void SetLeft(int v) { FLeft = v; }
    int Top() const { return FTop; }
    void SetTop(int v) { FTop = v; }
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }

protected:
    void LoadFromResource();

private:
    bool FOldCreateOrder = false;
    int FLeft = 0, FTop = 0, FHeight = 0, FWidth = 0;
};
