// How fast the coded combo box takes its items: 10,000 item strings added through
// ItemsCode, and the whole list rebuilt by toggling SeeCode, each next to the bare
// system calls doing the same work on a plain COMBOBOX of the same styles (an
// CB_ADDSTRING loop; a reset and the same loop again). Prints times and ratios;
// timing never fails it.
#include "BenchClock.h"
#include "components/CorvelComboBox.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

namespace {
constexpr int Items = 10000;

std::string CodeOf(int item)
{
    std::string code = "C";
    return code.append(std::to_string(100000 + item));
}

void AddRaw(HWND combo, const std::vector<std::string>& texts)
{
    for (const std::string& text : texts)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

int main()
{
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* coded = new TCorvelComboBox(&form);
    coded->SetParent(&form);
    coded->SetBounds(10, 10, 200, 21);
    const HWND bare = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_HASSTRINGS |
                                      WS_VSCROLL, 10, 40, 200, 200, form.Handle(), nullptr,
                                      GetModuleHandleA(nullptr), nullptr);

    std::vector<std::string> itemStrings, descriptions;
    for (int i = 0; i < Items; ++i) {
        std::string description = "Chateau number ";
        description.append(std::to_string(i)).append(" of the cellar");
        std::string item = CodeOf(i);
        item.append(" ").append(description);
        itemStrings.push_back(item);
        descriptions.push_back(description);
    }

    // Rounds alternate between the two, so that both see the same load from the machine.
    constexpr int rounds = 6;
    TCost add, bareAdd, rebuild, bareRebuild;
    for (int round = 0; round < rounds; ++round) {
        coded->SetSeeCode(false);
        coded->Clear();
        add.Measure([&] {
            for (const std::string& item : itemStrings)
                coded->ItemsCode()->Add(item);
        });
        SendMessageA(bare, CB_RESETCONTENT, 0, 0);
        bareAdd.Measure([&] { AddRaw(bare, descriptions); });

        rebuild.Measure([&] { coded->SetSeeCode(true); });
        bareRebuild.Measure([&] {
            SendMessageA(bare, CB_RESETCONTENT, 0, 0);
            AddRaw(bare, itemStrings);
        });
    }
    // A rebuild that lost or mangled items would be fast for nothing.
    const bool whole = coded->ItemsCode()->Count() == Items && coded->ItemsCode()->Strings(Items - 1) == itemStrings.back() &&
                       coded->GetCode(Items - 1) == CodeOf(Items - 1);

    std::printf("coded combo box, %d items, %d rounds\n", Items, rounds);
    PrintHeader();
    Report("add through ItemsCode", add, bareAdd, "1.3");
    Report("rebuild by toggling SeeCode", rebuild, bareRebuild, "2.5");
    std::printf("items intact after the rebuilds: %s\n", whole ? "yes" : "NO");
    DestroyWindow(bare);
    return whole ? 0 : 1;
}
