// How fast the form reader builds many components: 2,000 status bars nested in
// chains as deep as a resource may nest them, the same 2,000 side by side, and the
// bare Win32 loop creating 2,000 status-bar windows, each shown and painted once.
// Prints the times and their ratios; timing never fails it.
#include "BenchClock.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/streaming/FormReader.h"
#include "framework/widgets/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include <windows.h>

namespace {
constexpr int Components = 2000, ChainDepth = 32;

// Components status bars, in chains of Depth each inside the one before.
std::string Resource(int depth)
{
    std::string text = "TForm FM_Bench {\n  ClientWidth = 600\n  ClientHeight = 400\n";
    for (int made = 0; made < Components;) {
        const int chain = std::min(depth, Components - made);
        for (int i = 0; i < chain; ++i)
            text += "TStatusBar SB_" + std::to_string(++made) + " {\n";
        text += std::string(static_cast<size_t>(chain), '}') + "\n";
    }
    return text + "}\n";
}

struct TTimes {
    double Read = 1e9, Whole = 1e9; // the reading alone; reading, showing, painting and destroying
};

void ReadAndShow(const std::string& text, TTimes& best)
{
    const double start = Seconds();
    {
        TForm form(nullptr);
        ReadComponent(text, form, "WF_Bench");
        best.Read = std::min(best.Read, Seconds() - start);
        form.Show();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    Application->ProcessMessages();
    best.Whole = std::min(best.Whole, Seconds() - start);
}

double BareWindows()
{
    const double start = Seconds();
    HWND top = CreateWindowExA(0, "STATIC", "bench", WS_POPUP, 100, 100, 600, 400, nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < Components; ++i)
        CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, top, nullptr, nullptr, nullptr);
    ShowWindow(top, SW_SHOW);
    RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DestroyWindow(top);
    Application->ProcessMessages();
    return Seconds() - start;
}
} // namespace

int main()
{
    Application->Initialize();
    RegisterClass(TStatusBar::StaticClass()); // links the class in, as a form's field would
    const std::string nested = Resource(ChainDepth), flat = Resource(1);
    TTimes inChains, sideBySide;
    double bare = 1e9;
    for (int round = 0; round < 3; ++round) {
        ReadAndShow(nested, inChains);
        ReadAndShow(flat, sideBySide);
        bare = std::min(bare, BareWindows());
    }
    std::printf("%d status bars, best of 3 rounds        read     with showing and painting\n", Components);
    std::printf("nested in chains %d deep         %9.1f ms  %9.1f ms\n", ChainDepth, inChains.Read * 1e3,
                inChains.Whole * 1e3);
    std::printf("side by side                     %9.1f ms  %9.1f ms\n", sideBySide.Read * 1e3,
                sideBySide.Whole * 1e3);
    std::printf("bare windows, created and shown             %9.1f ms\n", bare * 1e3);
    std::printf("nested / side by side            %9.2f     %9.2f\n", inChains.Read / sideBySide.Read,
                inChains.Whole / sideBySide.Whole);
    std::printf("side by side / bare windows                 %9.2f\n", sideBySide.Whole / bare);
    return 0;
}
