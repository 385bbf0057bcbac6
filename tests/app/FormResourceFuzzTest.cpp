// The launcher's shipped form resources, damaged (support/FormFuzz.h): the window's
// shown and painted when the reader accepts it, the data module's read.
#include "app/WD_InstallRegistry.h"
#include "app/WF_Installation.h"
#include "support/FormFuzz.h"
#include "support/StoredForm.h"

class FormResourceFuzz : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->SetTitle("Installation");
        DM_LocalData = new TDM_LocalData(nullptr);
    }
    void TearDown() override
    {
        delete DM_LocalData;
        DM_LocalData = nullptr;
    }
};

TEST_F(FormResourceFuzz, DamagedResourcesAreRefusedWithReadErrorsOrShowAndPaint)
{
    // One root of each, built from the shipped resources; each damaged text replaces
    // what the last one left.
    TFM_Installation form(nullptr);
    FuzzResource(Stored("TFM_Installation"), "TFM_Installation", ShowInto(form, "TFM_Installation"), 1500);
    form.Brush()->SetBitmap(nullptr);
    TDM_LocalData module(nullptr);
    FuzzResource(Stored("TDM_LocalData"), "TDM_LocalData", [&](const std::string& text) {
        module.DestroyComponents();
        ReadComponent(text, module, "TDM_LocalData");
    }, 500);
}
