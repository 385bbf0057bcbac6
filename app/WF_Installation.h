#pragma once
// The launcher window: numbered links that install the product and the data access
// components, a Read-me button, a credit line that shows when clicked, and a status
// bar with the hint of the link under the pointer.
#include "components/CorvelLabel.h"
#include "framework/forms/Form.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Image.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/StatusBar.h"

#include <functional>

class TFM_Installation : public TForm {
    FW_CLASS(TFM_Installation)
public:
    explicit TFM_Installation(TComponent* Owner);
    ~TFM_Installation() override;

    TImage* IM_Elvarine = nullptr;
    TCorvelLabel* LA_Corvel = nullptr;
    TCorvelLabel* LA_Elvarine = nullptr;
    TCorvelLabel* LA_MDAC = nullptr;
    TLabel* LA_1 = nullptr;
    TLabel* LA_2 = nullptr;
    TButton* BU_Close = nullptr;
    TStatusBar* SB_Bar = nullptr;
    TLabel* LA_3 = nullptr;
    TCorvelLabel* LA_Access = nullptr;
    TButton* BU_ReadMe = nullptr;
    TCorvelLabel* LA_ReadMe = nullptr;
    TImage* IM_Background = nullptr;

    void BU_CloseClick(TObject* Sender);
    void LabelBeforeLaunchLink(TObject* Sender, bool& Launch);
    void LA_CorvelBeforeLaunchLink(TObject* Sender, bool& Launch);
    void LA_Click(TObject* Sender);
    void FormKeyPress(TObject* Sender, char& Key);
    void SB_BarDrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect);

    // The directory of the running program, ending with one backslash; EOSError when
    // the system cannot tell the program's path.
    static std::string LaunchDirectory();
    // The directory part of a program's path, ending with one backslash ("\\" for none).
    static std::string LaunchDirectoryOf(const std::string& ExeName);
    // How many palette colours the display has (GetDeviceCaps NUMCOLORS, -1 above
    // 8 bits per pixel); tests stand in for a 256-colour display here.
    static std::function<int(HDC)>& PaletteSizeQuery();

private:
    void ClickAccessEntry();
    // The banner drawn for the density nearest the form's, resampled when it is not
    // the form's own, and the background pattern at the form's scale.
    void FitPicturesToDensity();
};

extern TFM_Installation* FM_Installation;
