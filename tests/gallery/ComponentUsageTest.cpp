// The usage notes of docs/COMPONENTS.md, read as a team reads them: each component's
// fragment through the form reader onto a form, each property its notes name looked
// up in the component's class.
#include "support/ProgramDriver.h"

#include "framework/core/TypeInfo.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/streaming/FormReader.h"
#include "framework/widgets/ListBox.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

TEST(ComponentUsage, EachComponentsFragmentReadsOntoAFormAndItsNotesNameItsOwnProperties)
{
    Application->Initialize();
    RegisterClass(TListBox::StaticClass()); // the splitter's fragment puts list boxes beside it
    std::ifstream in(FromUnix(ELV_COMPONENTS_DOC), std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    const std::string doc = read.str();
    // Each with the handlers its fragment wires, which a plain form leaves unbound.
    const struct {
        const char* Component;
        std::vector<std::string> Handlers;
    } cases[] = {
        {"TCorvelLabel", {"ReadMeOpened"}},
        {"TCorvelComboBox", {"ColourChanged"}},
        {"TCorvelListBox", {}},
        {"TWineWall", {"WallDrawing", "WallClick"}},
        {"TWineControl", {"BottledClick"}},
        {"TCorvelSplit", {"SplitMoved"}},
        {"TColorButton", {"ColourClick"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Component);
        const size_t section = doc.find(std::string("### ") + c.Component + "\n");
        ASSERT_NE(section, std::string::npos);
        const std::string text = doc.substr(section, doc.find("\n### ", section + 1) - section);
        const size_t wired = text.find("Wired by: "), open = text.find("```form\n");
        const size_t close = text.find("```\n", open + 1);
        ASSERT_TRUE(wired != std::string::npos && open != std::string::npos && close != std::string::npos);
        const TClassInfo* cls = FindClass(c.Component);
        ASSERT_NE(cls, nullptr);

        const std::string notes = text.substr(wired, open - wired);
        int named = 0;
        for (size_t tick = notes.find('`'); tick != std::string::npos; tick = notes.find('`', tick + 1)) {
            const size_t end = notes.find('`', tick + 1);
            const std::string path = notes.substr(tick + 1, end - tick - 1);
            EXPECT_NE(cls->FindProp(path.substr(0, path.find('.'))), nullptr) << path;
            ++named;
            tick = end;
        }
        EXPECT_GE(named, 2) << notes;

        TForm form(nullptr);
        std::vector<std::string> unbound;
        ReadForeignComponent("TForm FM_Usage {\n" + text.substr(open + 8, close - open - 8) + "}\n", form,
                             c.Component, [&](const std::string& handler, int) { unbound.push_back(handler); });
        int components = 0;
        for (int i = 0; i < form.ComponentCount(); ++i)
            components += form.Components(i)->ClassInfo().Name == c.Component;
        EXPECT_EQ(components, 1);
        EXPECT_EQ(unbound, c.Handlers);
        form.HandleNeeded();
    }
}
