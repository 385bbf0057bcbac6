// The gallery's form resource as the designer reads and saves it.
#include "support/StoredForm.h"

#include "gallery/WF_Gallery.h"

#include "support/FormFuzz.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"

#include <gtest/gtest.h>

// Read in design mode by a plain form, the shipped resource writes back unchanged.
TEST(GalleryResource, TheFormWritesBackUnchanged)
{
    TForm form(nullptr);
    form.SetDesigning(true);
    ReadComponentRes("TFM_Gallery", form);
    EXPECT_EQ(WithoutMeasuredSizes(WriteComponent(form)), WithoutMeasuredSizes(Stored("TFM_Gallery")));
}

// Read into the running gallery, a damaged copy is refused or shown and painted.
TEST(GalleryResource, DamagedCopiesOfTheFormAreRefusedWithReadErrorsOrShowAndPaint)
{
    Application->Initialize();
    TFM_Gallery gallery(nullptr);
    FuzzResource(Stored("TFM_Gallery"), "TFM_Gallery", ShowInto(gallery, "TFM_Gallery"), 600);
}
