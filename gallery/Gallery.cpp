// The component gallery: the seven Corvel controls on one form, for a programmer to
// try. "gallery --palette" prints the designer's palette instead, as Markdown.
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

// A windowed program writes to the handle it was given (a pipe or a file), or else
// to the console of the program that started it; false when it has neither.
bool WriteToStandardOutput(const std::string& text)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((!out || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!out || out == INVALID_HANDLE_VALUE)
        return false;
    const char* next = text.data();
    size_t left = text.size();
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(out, next, static_cast<DWORD>(left), &written, nullptr) || written == 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}

int PrintPalette()
{
    RegisterComponents();
    std::ostringstream listing;
    WritePaletteListing(listing, DesignerRegistry());
    return WriteToStandardOutput(listing.str()) ? 0 : 1;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        if (ParamCount() == 1 && ParamStr(1) == "--palette")
            return PrintPalette();
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
