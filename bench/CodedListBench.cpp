// How fast the coded list box takes and sorts its items: 10,000 item strings added
// through ItemsCode, and the whole list sorted with SetSorted(true), each next to
// the bare system calls doing the same work on a plain LISTBOX of the same styles
// (an LB_ADDSTRING loop; a sorted list box emptied and filled with the same loop).
// Prints times and ratios; timing never fails it.
#include "BenchClock.h"
#include "components/CorvelListBox.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

namespace {
constexpr int Items = 10000;

// Codes and descriptions in unrelated orders, so that sorting moves every code.
std::string CodeOf(int item)
{
    std::string code = "C";
    return code.append(std::to_string(100000 + (item * 7919) % Items));
}

HWND BareListBox(HWND parent, DWORD sorted)
{
    return CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                           WS_CHILD | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
                               sorted,
                           10, 10, 200, 150, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void AddRaw(HWND list, const std::vector<std::string>& texts)
{
    for (const std::string& text : texts)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
} // namespace

int main()
{
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* coded = new TCorvelListBox(&form);
    coded->SetParent(&form);
    coded->SetBounds(10, 10, 200, 150);
    const HWND bare = BareListBox(form.Handle(), 0);
    const HWND bareSorted = BareListBox(form.Handle(), LBS_SORT);

    std::vector<std::string> itemStrings, descriptions;
    for (int i = 0; i < Items; ++i) {
        std::string description = "Chateau number ";
        description.append(std::to_string(i)).append(" of the cellar");
        std::string item = CodeOf(i);
        itemStrings.push_back(item.append(" ").append(description));
        descriptions.push_back(description);
    }

    // Rounds alternate between the two, so that both see the same load from the machine.
    constexpr int rounds = 6;
    TCost add, bareAdd, sort, bareSort;
    for (int round = 0; round < rounds; ++round) {
        coded->SetSorted(false);
        coded->Clear();
        add.Measure([&] {
            for (const std::string& item : itemStrings)
                coded->ItemsCode()->Add(item);
        });
        SendMessageA(bare, LB_RESETCONTENT, 0, 0);
        bareAdd.Measure([&] { AddRaw(bare, descriptions); });

        sort.Measure([&] { coded->SetSorted(true); });
        // With redrawing off while it fills, as the list box's own refill has it.
        bareSort.Measure([&] {
            SendMessageA(bareSorted, WM_SETREDRAW, FALSE, 0);
            SendMessageA(bareSorted, LB_RESETCONTENT, 0, 0);
            AddRaw(bareSorted, descriptions);
            SendMessageA(bareSorted, WM_SETREDRAW, TRUE, 0);
        });
    }
    // A sort that parted a code from its item would be fast for nothing.
    bool paired = coded->ItemsCode()->Count() == Items;
    for (int i = 0; paired && i < Items; ++i) {
        const std::string shown = coded->ItemsCode()->Strings(i);
        const int item = std::stoi(shown.substr(shown.find("number ") + 7));
        paired = coded->GetCode(i) == CodeOf(item);
    }

    std::printf("coded list box, %d items, %d rounds\n", Items, rounds);
    PrintHeader();
    Report("add through ItemsCode", add, bareAdd, "1.3");
    Report("SetSorted(true)", sort, bareSort, "3 (against a sorted re-add)");
    std::printf("every code beside its item after sorting: %s\n", paired ? "yes" : "NO");
    DestroyWindow(bareSorted);
    DestroyWindow(bare);
    return paired ? 0 : 1;
}
