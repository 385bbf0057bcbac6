// The component gallery: the seven Corvel controls on one form, for a programmer to
// try. "gallery --palette" prints the designer's palette instead, as Markdown;
// "gallery --preview FILE [--screenshot PNG]" shows any form resource (FormPreview.h).
#include "gallery/ComponentUsage.h"
#include "gallery/FormPreview.h"
#include "gallery/StandardHandles.h"
#include "gallery/WF_Gallery.h"

#include "framework/core/Exceptions.h"
#include "framework/designer/PaletteListing.h"
#include "framework/forms/Application.h"
#include "framework/system/Process.h"

#include <sstream>

namespace {
void RegisterComponents()
{
    CorvelLabel::Register();
    CorvelComboBox::Register();
    CorvelListBox::Register();
    WineWall::Register();
    WineControl::Register();
    CorvelSplit::Register();
    ColorButton::Register();
}

int PrintPalette()
{
    RegisterComponents();
    std::ostringstream listing;
    WritePaletteListing(listing, DesignerRegistry(), ComponentUsage());
    if (WriteToStandardHandle(STD_OUTPUT_HANDLE, listing.str()))
        return 0;
    MessageBoxA(nullptr, "gallery --palette writes the palette to its standard output, and it has none.",
                "Corvel gallery", MB_OK | MB_ICONERROR);
    return 1;
}
int Preview()
{
    const int count = ParamCount();
    if (count == 2 || (count == 4 && ParamStr(3) == "--screenshot"))
        return RunPreview(ParamStr(2), count == 4 ? ParamStr(4) : std::string());
    const char* usage = "usage: gallery --preview FILE [--screenshot PNG]";
    if (!WriteToStandardHandle(STD_ERROR_HANDLE, std::string(usage) + "\n"))
        MessageBoxA(nullptr, usage, "Corvel form preview", MB_OK | MB_ICONERROR);
    return 2;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        if (ParamCount() == 1 && ParamStr(1) == "--palette")
            return PrintPalette();
        if (ParamCount() >= 1 && ParamStr(1) == "--preview")
            return Preview();
        Application->Initialize();
        Application->SetTitle("Corvel gallery");
        Application->SetShowHint(true);
        Application->CreateForm(FM_Gallery);
        Application->Run();
    } catch (const Exception& e) {
        MessageBoxA(nullptr, e.what(), "Corvel gallery", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
