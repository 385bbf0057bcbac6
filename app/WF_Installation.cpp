#include "app/WF_Installation.h"

#include "app/WD_InstallRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/forms/Application.h"
#include "framework/graphics/ScreenDensity.h"
#include "framework/text/SysUtils.h"

#include <algorithm>
#include <cstdlib>

TFM_Installation* FM_Installation = nullptr;

namespace {
// The densities the banner is drawn for at build time (tools/make_banner.py); the
// form resource names the first.
struct TBannerDrawing {
    int PixelsPerInch;
    const char* Resource;
};
constexpr TBannerDrawing BannerDrawings[] = {{96, "ELVARINE_BANNER"},
                                             {120, "ELVARINE_BANNER_120"},
                                             {144, "ELVARINE_BANNER_144"},
                                             {192, "ELVARINE_BANNER_192"}};

// The drawing nearest a density; between two, the larger, which loses detail
// gracefully when shrunk where a smaller one would blur when grown.
const TBannerDrawing& NearestBanner(int density)
{
    return *std::min_element(std::begin(BannerDrawings), std::end(BannerDrawings),
                             [density](const TBannerDrawing& a, const TBannerDrawing& b) {
                                 const int da = std::abs(a.PixelsPerInch - density), db = std::abs(b.PixelsPerInch - density);
                                 return da != db ? da < db : a.PixelsPerInch > b.PixelsPerInch;
                             });
}
} // namespace

FW_BEGIN_CLASS(TFM_Installation, TForm)
    .Field("IM_Elvarine", &C::IM_Elvarine)
    .Field("LA_Corvel", &C::LA_Corvel)
    .Field("LA_Elvarine", &C::LA_Elvarine)
    .Field("LA_MDAC", &C::LA_MDAC)
    .Field("LA_1", &C::LA_1)
    .Field("LA_2", &C::LA_2)
    .Field("BU_Close", &C::BU_Close)
    .Field("SB_Bar", &C::SB_Bar)
    .Field("LA_3", &C::LA_3)
    .Field("LA_Access", &C::LA_Access)
    .Field("BU_ReadMe", &C::BU_ReadMe)
    .Field("LA_ReadMe", &C::LA_ReadMe)
    .Field("IM_Background", &C::IM_Background)
    .Method("BU_CloseClick", &C::BU_CloseClick)
    .Method("LabelBeforeLaunchLink", &C::LabelBeforeLaunchLink)
    .Method("LA_CorvelBeforeLaunchLink", &C::LA_CorvelBeforeLaunchLink)
    .Method("LA_Click", &C::LA_Click)
    .Method("FormKeyPress", &C::FormKeyPress)
    .Method("SB_BarDrawPanel", &C::SB_BarDrawPanel)
FW_END_CLASS

std::function<int(HDC)>& TFM_Installation::PaletteSizeQuery()
{
    static std::function<int(HDC)> query = [](HDC dc) { return GetDeviceCaps(dc, NUMCOLORS); };
    return query;
}

std::string TFM_Installation::LaunchDirectory() { return LaunchDirectoryOf(Application->ExeName()); }

std::string TFM_Installation::LaunchDirectoryOf(const std::string& ExeName)
{
    std::string directory = ExtractFilePath(ExeName);
    if (directory.empty() || directory.back() != '\\')
        directory += '\\';
    return directory;
}

TFM_Installation::TFM_Installation(TComponent* Owner) : TForm(Owner)
{
    LoadFromResource();

    // Background: on displays of more than 256 colours the client area, and so the
    // transparent labels, show the tiled pattern; the status bar takes one of its
    // tones, as the pattern was designed.
    bool tiled = false;
    if (IM_Background->Visible()) {
        const int colours = PaletteSizeQuery()(Canvas()->Handle());
        if (colours > 256 || colours == -1) {
            SB_Bar->SetColor(IM_Background->Picture()->Bitmap()->Pixel(2, 2));
            tiled = true;
        }
    }
    FitPicturesToDensity();
    if (tiled)
        Brush()->SetBitmap(IM_Background->Picture()->Bitmap());

    if (!DM_LocalData->IsEnglish()) {
        SetCaption("Elvarine");
        LA_Elvarine->SetCaption("Installation d'Elvarine");
        LA_Elvarine->SetHint("Installe l'application Elvarine");
        LA_MDAC->SetCaption("Installation de MDAC");
        LA_MDAC->SetHint("Requise seulement si Elvarine ne fonctionne pas.");
        LA_Access->SetCaption("Installation du fournisseur MS-Access");
        LA_Access->SetHint("Requise seulement si Elvarine ne fonctionne pas.");
        BU_Close->SetCaption("&Fermer");
        BU_ReadMe->SetCaption("&Lisez moi");
    }

    // The data access components are offered only when their installer is on the
    // medium; a program that cannot tell where it is offers them nowhere.
    bool mdacPresent = false;
    try {
        mdacPresent = FileExists(LaunchDirectory() + "mdac_typ.exe");
    } catch (const EOSError&) {
    }
    if (!mdacPresent) {
        LA_2->Hide();
        LA_MDAC->Hide();
    }
}

TFM_Installation::~TFM_Installation()
{
    // The brush must let go of the pattern before the image that owns it goes.
    Brush()->SetBitmap(nullptr);
}

void TFM_Installation::FitPicturesToDensity()
{
    const int density = PixelsPerInch();
    if (density == DesignPixelsPerInch)
        return;
    const TBannerDrawing& banner = NearestBanner(density);
    TPicture* picture = IM_Elvarine->Picture();
    picture->SetResourceName(banner.Resource);
    TBitmap drawn;
    if (banner.PixelsPerInch != density) {
        drawn.Assign(picture->Bitmap());
        picture->Bitmap()->AssignResampled(drawn, MulDiv(drawn.Width(), density, banner.PixelsPerInch),
                                           MulDiv(drawn.Height(), density, banner.PixelsPerInch));
    }
    // The pattern has one drawing: it tiles at the form's scale.
    TBitmap* pattern = IM_Background->Picture()->Bitmap();
    drawn.Assign(pattern);
    pattern->AssignResampled(drawn, ScaledPixels(drawn.Width()), ScaledPixels(drawn.Height()));
}

void TFM_Installation::BU_CloseClick(TObject*)
{
    Brush()->SetBitmap(nullptr);
    Close();
}

void TFM_Installation::LabelBeforeLaunchLink(TObject* Sender, bool& Launch)
{
    const std::string directory = LaunchDirectory();
    Launch = true;
    if (Sender == LA_Elvarine)
        LA_Elvarine->SetLink(directory + "Setup.exe");
    else if (Sender == LA_MDAC)
        LA_MDAC->SetLink(directory + "mdac_typ.exe");
    else if (Sender == LA_ReadMe)
        LA_ReadMe->SetLink(directory + "ReadMe.txt");
}

void TFM_Installation::LA_CorvelBeforeLaunchLink(TObject*, bool& Launch)
{
    Launch = false;
    LA_Corvel->SetCaption(LA_Corvel->Caption().empty() ? "Brought to you by Corvel" : "");
}

void TFM_Installation::LA_Click(TObject* Sender)
{
    if (Sender == LA_1)
        LA_Elvarine->Click();
    else if (Sender == LA_2)
        LA_MDAC->Click();
    else if (Sender == LA_3)
        ClickAccessEntry();
    else if (Sender == BU_ReadMe)
        LA_ReadMe->Click();
}

void TFM_Installation::ClickAccessEntry()
{
    // The MS-Access entry has no target file of its own: until one is given, a click
    // would hand its caption to the shell as a file name.
    if (!LA_Access->Link().empty())
        LA_Access->Click();
}

void TFM_Installation::FormKeyPress(TObject*, char& Key)
{
    switch (Key) {
    case '1': LA_Elvarine->Click(); break;
    case '2': LA_MDAC->Click(); break;
    case '3': ClickAccessEntry(); break;
    default: break;
    }
}

void TFM_Installation::SB_BarDrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)
{
    TCanvas* canvas = StatusBar->Canvas();
    if (TBitmap* pattern = Brush()->Bitmap()) {
        canvas->Brush()->SetBitmap(pattern);
        canvas->FillRect(Rect);
        canvas->Brush()->SetBitmap(nullptr);
    }
    SetBkMode(canvas->Handle(), TRANSPARENT);
    canvas->TextOut(ScaledPixels(2), ScaledPixels(4), Panel->Text());
}
