#include "framework/controls/InputMethod.h"

#include "framework/text/SysUtils.h"

#include <imm.h>

#include <vector>

namespace {
// An input context borrowed from a window, given back on every path.
class TInputContext {
public:
    explicit TInputContext(HWND window) : FWindow(window), FContext(ImmGetContext(window)) {}
    ~TInputContext()
    {
        if (FContext)
            ImmReleaseContext(FWindow, FContext);
    }
    TInputContext(const TInputContext&) = delete;
    TInputContext& operator=(const TInputContext&) = delete;
    HIMC Get() const { return FContext; }

private:
    HWND FWindow;
    HIMC FContext;
};

// The conversion mode each mode that opens the input method asks for.
DWORD ConversionOf(TImeMode Mode)
{
    switch (Mode) {
    case imSAlpha: return IME_CMODE_ALPHANUMERIC;
    case imAlpha: return IME_CMODE_ALPHANUMERIC | IME_CMODE_FULLSHAPE;
    case imHira:
    case imChinese:
    case imHanguel: return IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
    case imSKata: return IME_CMODE_NATIVE | IME_CMODE_KATAKANA;
    case imKata: return IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE;
    case imSHanguel: return IME_CMODE_NATIVE;
    default: return 0;
    }
}
} // namespace

const TEnumInfo& ImeModeInfo()
{
    static const TEnumInfo info{"TImeMode",
                                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
                                 "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"}};
    return info;
}

void ApplyImeMode(HWND Window, TImeMode Mode)
{
    if (Mode == imDontCare)
        return;
    if (Mode == imDisable) {
        ImmAssociateContextEx(Window, nullptr, 0);
        return;
    }
    // A window turned off before gets its own context back.
    ImmAssociateContextEx(Window, nullptr, IACE_DEFAULT);
    const TInputContext context(Window);
    if (!context.Get())
        return;
    ImmSetOpenStatus(context.Get(), Mode != imClose);
    if (const DWORD conversion = ConversionOf(Mode)) {
        DWORD current = 0, sentence = 0;
        ImmGetConversionStatus(context.Get(), &current, &sentence);
        ImmSetConversionStatus(context.Get(), conversion, sentence);
    }
}

void ApplyImeName(const std::string& Name)
{
    if (Name.empty())
        return;
    std::vector<HKL> layouts(static_cast<size_t>(GetKeyboardLayoutList(0, nullptr)));
    layouts.resize(static_cast<size_t>(GetKeyboardLayoutList(static_cast<int>(layouts.size()), layouts.data())));
    for (HKL layout : layouts) {
        if (!ImmIsIME(layout))
            continue;
        const UINT length = ImmGetDescriptionA(layout, nullptr, 0);
        std::string description(length + 1, '\0');
        description.resize(ImmGetDescriptionA(layout, description.data(), length + 1));
        if (SameText(description, Name)) {
            ActivateKeyboardLayout(layout, 0);
            return;
        }
    }
}
