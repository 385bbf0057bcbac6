#include "framework/graphics/Picture.h"

#include "framework/graphics/Bitmap.h"

FW_BEGIN_CLASS(TPicture, TPersistent)
    .Bytes("Data", &C::Data, &C::SetData)
    .StoredIf(&C::DataStored)
    .String("ResourceName", &C::ResourceName, &C::SetResourceName)
    .StoredIf(&C::ResourceNameStored)
FW_END_CLASS

namespace {
TPictureSource PictureSource = nullptr;
}

TPictureSource SetPictureSource(TPictureSource source)
{
    const TPictureSource former = PictureSource;
    PictureSource = source;
    return former;
}

TPicture::TPicture() : FBitmap(std::make_unique<TBitmap>())
{
    FBitmap->OnChange = [this](TObject*) { BitmapChanged(); };
}

TPicture::~TPicture() = default;

TGraphic* TPicture::Graphic() const { return FBitmap->Empty() ? nullptr : FBitmap.get(); }
int TPicture::Width() const { return FBitmap->Width(); }
int TPicture::Height() const { return FBitmap->Height(); }

void TPicture::BitmapChanged()
{
    if (FBitmap->ChangeCount() != FLoadedChangeCount) {
        FLoadedBytes.clear();
        FResourceName.clear();
    }
    if (OnChange)
        OnChange(this);
}

void TPicture::Loaded(TBytes bytes, std::string resourceName)
{
    FLoadedBytes = std::move(bytes);
    FResourceName = std::move(resourceName);
    FLoadedChangeCount = FBitmap->ChangeCount();
}

TBytes TPicture::Data() const { return FLoadedBytes.empty() ? FBitmap->SaveToBmpBytes() : FLoadedBytes; }

void TPicture::SetData(const TBytes& bytes)
{
    if (bytes.empty()) {
        FBitmap->Assign(nullptr);
        return;
    }
    FBitmap->LoadFromBmpBytes(bytes);
    Loaded(bytes, {});
}

bool TPicture::DataStored() const { return !FBitmap->Empty() && FResourceName.empty(); }

void TPicture::SetResourceName(const std::string& name)
{
    if (name.empty()) {
        FResourceName.clear();
        return;
    }
    if (PictureSource)
        PictureSource(*FBitmap, name);
    else
        FBitmap->LoadFromResourceName(GetModuleHandleA(nullptr), name);
    Loaded({}, name);
}

void TPicture::Assign(TPersistent* Source)
{
    if (auto* other = dynamic_cast<TPicture*>(Source)) {
        if (other == this)
            return;
        FBitmap->Assign(other->FBitmap.get());
        Loaded(other->FLoadedBytes, other->FResourceName);
        return;
    }
    if (!Source || dynamic_cast<TBitmap*>(Source)) {
        FBitmap->Assign(Source);
        return;
    }
    TPersistent::Assign(Source);
}
