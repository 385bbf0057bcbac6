#include "gallery/ComponentUsage.h"

namespace {
// "Wired by" names the properties in backticks, then the fragment follows in a
// fenced block of its own: the test reads both.
std::string Usage(const char* wiredBy, const char* fragment)
{
    return std::string("Wired by: ") + wiredBy + "\n\n```form\n" + fragment + "```\n";
}
} // namespace

const std::map<std::string, std::string>& ComponentUsage()
{
    static const std::map<std::string, std::string> usage = {
        {"TCorvelLabel",
         Usage("`Link` and `LinkParameter` (what the shell opens on a click), `OnBeforeLaunchLink` "
               "(sets the link at the last moment, or stops the launch), `OnAfterLaunchLink`; "
               "`UseIEDefaults` false for the colours of `LinkColor`, `HoverColor` and `VisitedColor`.",
               "TCorvelLabel LA_ReadMe {\n"
               "  Left = 8\n"
               "  Top = 8\n"
               "  Caption = \"Read me\"\n"
               "  Link = \"ReadMe.txt\"\n"
               "  UseIEDefaults = false\n"
               "  LinkColor = clBlue\n"
               "  OnAfterLaunchLink = ReadMeOpened\n"
               "}\n")},
        {"TCorvelComboBox",
         Usage("`ItemsCode.Strings` (the items: a code, a space, the description), "
               "`ItemsCode.CodeList.Strings` (their codes, in the same order), `SelectedCode`, "
               "`SeeCode` (show the codes too), `Style`; `OnSelectedCodeChange`.",
               "TCorvelComboBox CC_Colour {\n"
               "  Left = 8\n"
               "  Top = 8\n"
               "  Width = 160\n"
               "  Style = csDropDownList\n"
               "  ItemsCode.Strings = [\n"
               "    \"RU Rouge\"\n"
               "    \"BL Blanc\"\n"
               "  ]\n"
               "  ItemsCode.CodeList.Strings = [\n"
               "    \"RU\"\n"
               "    \"BL\"\n"
               "  ]\n"
               "  SelectedCode = \"BL\"\n"
               "  OnSelectedCodeChange = ColourChanged\n"
               "}\n")},
        {"TCorvelListBox",
         Usage("`ControlEdit` (or `ControlCombo`), `ControlAdd`, `ControlUpdate` and `ControlDelete`: "
               "the list box edits its list with them, by the resource alone; `ItemsCode.Strings` and "
               "`ItemsCode.CodeList.Strings`, `Sorted`, `SeeCode`; `OnAssociateButtonAfterClick`.",
               "TEdit ED_Wine {\n"
               "  Left = 8\n"
               "  Top = 8\n"
               "}\n"
               "TButton BU_Add {\n"
               "  Left = 200\n"
               "  Top = 8\n"
               "  Caption = \"&Add\"\n"
               "}\n"
               "TButton BU_Update {\n"
               "  Left = 200\n"
               "  Top = 38\n"
               "  Caption = \"&Update\"\n"
               "}\n"
               "TButton BU_Delete {\n"
               "  Left = 200\n"
               "  Top = 68\n"
               "  Caption = \"&Delete\"\n"
               "}\n"
               "TCorvelListBox LB_Wines {\n"
               "  Left = 8\n"
               "  Top = 36\n"
               "  Sorted = true\n"
               "  ControlEdit = ED_Wine\n"
               "  ControlAdd = BU_Add\n"
               "  ControlUpdate = BU_Update\n"
               "  ControlDelete = BU_Delete\n"
               "  ItemsCode.Strings = [\n"
               "    \"POM Pommard 2017\"\n"
               "  ]\n"
               "  ItemsCode.CodeList.Strings = [\n"
               "    \"POM\"\n"
               "  ]\n"
               "}\n")},
        {"TWineWall",
         Usage("`NbCaseWidth`, `NbCaseHeight` and `CaseWidthHeight` (the compartments), `TypeHorizontal` "
               "and `TypeVertical` (how rows and columns are numbered); `OnDrawing` (the colours of each "
               "compartment), `OnClick`, `OnNeedHint`.",
               "TWineWall WW_Cellar {\n"
               "  Left = 8\n"
               "  Top = 8\n"
               "  NbCaseWidth = 12\n"
               "  NbCaseHeight = 6\n"
               "  TypeVertical = weAlpha\n"
               "  OnDrawing = WallDrawing\n"
               "  OnClick = WallClick\n"
               "}\n")},
        {"TWineControl",
         Usage("`Style` (a combo box, an edit or a date box), `Text` or `Date`, `Alignment`; "
               "`OnWineClick` (tells whether the drop-down button was hit); the owner does the editing.",
               "TWineControl WC_Bottled {\n"
               "  Left = 8\n"
               "  Top = 8\n"
               "  Width = 110\n"
               "  Height = 21\n"
               "  Style = wcDate\n"
               "  OnWineClick = BottledClick\n"
               "}\n")},
        {"TCorvelSplit",
         Usage("`Control1` and `Control2` (the controls on either side), `Control1AutoResize` and "
               "`Control2AutoResize` (which of them the bar resizes), `MargeLeftTop` and "
               "`MargeRightBottom` (how near the edges it may go); `OnEndMove`.",
               "TListBox LB_Left {\n"
               "  Left = 0\n"
               "  Top = 0\n"
               "  Width = 150\n"
               "  Height = 200\n"
               "}\n"
               "TListBox LB_Right {\n"
               "  Left = 156\n"
               "  Top = 0\n"
               "  Width = 150\n"
               "  Height = 200\n"
               "}\n"
               "TCorvelSplit SP_Split {\n"
               "  Left = 150\n"
               "  Top = 0\n"
               "  Width = 6\n"
               "  Height = 200\n"
               "  Control1 = LB_Left\n"
               "  Control2 = LB_Right\n"
               "  Control2AutoResize = true\n"
               "  OnEndMove = SplitMoved\n"
               "}\n")},
        {"TColorButton",
         Usage("`Color` (the colour it shows) and `Caption`; `OnClick` (where the program lets the user "
               "choose another, for example in the system's colour dialog).",
               "TColorButton CB_Red {\n"
               "  Left = 8\n"
               "  Top = 8\n"
               "  Width = 68\n"
               "  Height = 25\n"
               "  Color = 0x002A1A8C\n"
               "  Caption = \"Red\"\n"
               "  OnClick = ColourClick\n"
               "}\n")},
    };
    return usage;
}
