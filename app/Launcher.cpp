// Program start: the launcher shows itself unless the product is installed and the
// program was started with arguments (the medium's autorun after installation).
#include "app/WD_InstallRegistry.h"
#include "app/WF_Installation.h"
#include "framework/core/Exceptions.h"
#include "framework/forms/Application.h"
#include "framework/system/Process.h"

#include <cstdlib>

// A windowed program has no console for the default report of an uncaught exception
// (its type name, demangled): ending at once is all it can do, and leaving the report
// out keeps the name demangler, some 50 KB, out of the program.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        Application->Initialize();
        Application->SetTitle("Installation");
        Application->CreateForm(DM_LocalData);
        if (DM_LocalData->IsInstalled() && ParamCount() > 0)
            return 0;
        Application->CreateForm(FM_Installation);
        Application->Run();
    } catch (const Exception&) {
        // Nothing to tell: the launcher ends as quietly as it would have started.
    }
    return 0;
}
