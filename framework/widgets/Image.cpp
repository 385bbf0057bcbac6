#include "framework/widgets/Image.h"

FW_BEGIN_CLASS(TImage, TGraphicControl)
    .Bool("AutoSize", &C::AutoSize, &C::SetAutoSize, false)
    .Bool("Center", &C::Center, &C::SetCenter, false)
    .Object("Picture", TPicture::StaticClass(), &C::Picture)
    .Bool("Stretch", &C::Stretch, &C::SetStretch, false)
    .Bool("Transparent", &C::Transparent, &C::SetTransparent, false)
    .Publish({"Align", "DragMode", "Enabled", "Hint", "ParentShowHint", "ShowHint", "Visible", "OnClick",
              "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"})
FW_END_CLASS

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

void TImage::PictureChanged()
{
    if (TGraphic* graphic = FPicture->Graphic()) {
        graphic->SetTransparent(FTransparent);
        if (FAutoSize && !graphic->Empty())
            SetBounds(Left(), Top(), graphic->Width(), graphic->Height());
    }
    Invalidate();
}

void TImage::Paint()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty())
        return;
    TRect target(0, 0, graphic->Width(), graphic->Height());
    if (FStretch)
        target = ClientRect();
    else if (FCenter)
        target = target.Offset((Width() - graphic->Width()) / 2, (Height() - graphic->Height()) / 2);
    Canvas()->StretchDraw(target, graphic);
}

void TImage::SetAutoSize(bool value)
{
    FAutoSize = value;
    if (value)
        PictureChanged();
}

void TImage::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    PictureChanged();
}

void TImage::SetCenter(bool value)
{
    FCenter = value;
    Invalidate();
}

void TImage::SetStretch(bool value)
{
    FStretch = value;
    Invalidate();
}
