// Program start: the application, its one form, the message loop. A form that
// cannot be made says why in a message box.
#include "WF_FirstForm.h"

#include "framework/core/Exceptions.h"
#include "framework/forms/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        Application->Initialize();
        Application->SetTitle("First form");
        Application->CreateForm(FM_FirstForm);
        Application->Run();
    } catch (const Exception& e) {
        MessageBoxA(nullptr, e.what(), "First form", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
