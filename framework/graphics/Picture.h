#pragma once
// The picture of an image control as the form resources hold it: a bitmap, either
// inline (Data, the .bmp file) or named (ResourceName, a BITMAP resource of the
// executable).
#include "framework/core/Events.h"
#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"

#include <cstdint>
#include <memory>
#include <string>

class TBitmap;
class TGraphic;

class TPicture : public TPersistent {
    FW_CLASS(TPicture)
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TBitmap* Bitmap() const { return FBitmap.get(); }
    // The picture to draw; nullptr while the bitmap is empty.
    TGraphic* Graphic() const;
    int Width() const;
    int Height() const;

    // The .bmp file: the very bytes it was loaded from while the bitmap is unchanged
    // since, so that a form resource reads back byte for byte. Empty bytes empty the
    // picture; malformed ones raise EInvalidGraphic and change nothing.
    TBytes Data() const;
    void SetData(const TBytes& bytes);
    // Loads the BITMAP resource of that name from the executable (EResNotFound when
    // it has none), or through the program's own picture source. Any later change to the bitmap forgets the name, so that the
    // change is stored as Data instead.
    const std::string& ResourceName() const { return FResourceName; }
    void SetResourceName(const std::string& name);

    // From another picture or a bitmap; nullptr empties the picture.
    void Assign(TPersistent* Source) override;

    // Fired after every change of the bitmap.
    TNotifyEvent OnChange;

private:
    void BitmapChanged();
    // Records what the bitmap was loaded from, as of its current state.
    void Loaded(TBytes bytes, std::string resourceName);
    bool DataStored() const;
    bool ResourceNameStored() const { return !FResourceName.empty(); }

    std::unique_ptr<TBitmap> FBitmap;
    TBytes FLoadedBytes;
    std::string FResourceName;
    uint64_t FLoadedChangeCount = 0;
};

// Where named pictures come from: the executable's BITMAP resources, unless a program
// that shows other programs' forms (the form previewer) finds them itself. Returns the
// source it replaces; nullptr is the executable's resources.
using TPictureSource = void (*)(TBitmap& bitmap, const std::string& name);
TPictureSource SetPictureSource(TPictureSource source);
