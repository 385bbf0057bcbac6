// A form resource holding every standard widget, loaded from the executable,
// shown on the display and kept as a screenshot; it also reads back unchanged.
#include "WindowTestSupport.h"

#include "support/FormFuzz.h"
#include "support/StoredForm.h"
#include "framework/core/Streams.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Edit.h"
#include "framework/widgets/Image.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/ListBox.h"
#include "framework/widgets/StatusBar.h"

#include <commctrl.h>

#include <cstdio>

namespace {

class TWidgetTour : public TForm {
    FW_CLASS(TWidgetTour)
public:
    explicit TWidgetTour(TComponent* owner) : TForm(owner) { LoadFromResource(); }

    TLabel* LA_Title = nullptr;
    TImage* IM_Bottle = nullptr;
    TLabel* LA_Name = nullptr;
    TEdit* ED_Name = nullptr;
    TLabel* LA_Region = nullptr;
    TComboBox* CB_Region = nullptr;
    TLabel* LA_Vintage = nullptr;
    TComboBox* CB_Vintage = nullptr;
    TListBox* LB_Grapes = nullptr;
    TLabel* LA_Disabled = nullptr;
    TButton* BU_Ok = nullptr;
    TButton* BU_Cancel = nullptr;
    TStatusBar* SB_Status = nullptr;
};

FW_BEGIN_CLASS(TWidgetTour, TForm)
    .Field("LA_Title", &C::LA_Title)
    .Field("IM_Bottle", &C::IM_Bottle)
    .Field("LA_Name", &C::LA_Name)
    .Field("ED_Name", &C::ED_Name)
    .Field("LA_Region", &C::LA_Region)
    .Field("CB_Region", &C::CB_Region)
    .Field("LA_Vintage", &C::LA_Vintage)
    .Field("CB_Vintage", &C::CB_Vintage)
    .Field("LB_Grapes", &C::LB_Grapes)
    .Field("LA_Disabled", &C::LA_Disabled)
    .Field("BU_Ok", &C::BU_Ok)
    .Field("BU_Cancel", &C::BU_Cancel)
    .Field("SB_Status", &C::SB_Status)
FW_END_CLASS

class WidgetsTour : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};

} // namespace

TEST_F(WidgetsTour, EveryStandardWidgetComesUpFromTheResourceAndIsPhotographed)
{
    TWidgetTour tour(nullptr);
    tour.Show();
    PumpUntil([&] { return GetForegroundWindow() == tour.Handle(); }, 1000);
    tour.Update();
    PumpFor(100);

    EXPECT_EQ(tour.ED_Name->Text(), "Chateau Lestang");
    EXPECT_EQ(tour.CB_Region->ItemIndex(), 1);
    EXPECT_EQ(tour.CB_Region->EditHandle(), nullptr);
    EXPECT_EQ(tour.CB_Vintage->Text(), "2005");
    EXPECT_NE(tour.CB_Vintage->EditHandle(), nullptr);
    EXPECT_EQ(tour.LB_Grapes->Items()->Strings(0), "Cabernet franc");
    EXPECT_EQ(tour.IM_Bottle->Picture()->Bitmap()->PixelFormat(), pf4bit);
    EXPECT_TRUE(tour.ED_Name->Focused()); // first in tab order
    char panel[32] = {};
    SendMessageA(tour.SB_Status->Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_STREQ(panel, "Ready");

    // What the screen shows: the edit's white field beside the form's face.
    TWindowDC screen(nullptr);
    const TPoint field = tour.ED_Name->ClientToScreen(TPoint(tour.ED_Name->ClientWidth() - 4, 4));
    EXPECT_EQ(GetPixel(screen.Get(), field.x, field.y), ColorToRGB(clWindow));
    const TPoint face = tour.ClientToScreen(TPoint(200, 200));
    EXPECT_EQ(GetPixel(screen.Get(), face.x, face.y), ColorToRGB(clBtnFace));

    const std::string shot = SaveScreenshot(tour.Handle(), "widget-tour.bmp");
    std::printf("widget tour screenshot: %s\n", shot.c_str());
    TFileStream file(shot, fmOpenRead);
    TBitmap saved;
    const std::string bytes = file.ReadAll();
    saved.LoadFromBmpBytes(TBytes(bytes.begin(), bytes.end()));
    EXPECT_EQ(saved.Width(), tour.Width());
    EXPECT_EQ(saved.Height(), tour.Height());
}

TEST_F(WidgetsTour, TheResourceIsWrittenBackUnchanged)
{
    TWidgetTour tour(nullptr);
    TResourceStream stored(GetModuleHandleA(nullptr), "TWIDGETTOUR");
    EXPECT_EQ(WriteComponent(tour), stored.ReadAll());
}

TEST_F(WidgetsTour, DamagedCopiesOfTheTourAreRefusedWithReadErrorsOrShowAndPaint)
{
    TWidgetTour tour(nullptr);
    FuzzResource(Stored("TWIDGETTOUR"), "TWIDGETTOUR", ShowInto(tour, "TWIDGETTOUR"), 600);
}
