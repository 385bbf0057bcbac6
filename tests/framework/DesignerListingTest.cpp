// The designer's palette as the library's users read it (docs/COMPONENTS.md).
#include "framework/designer/PaletteListing.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Edit.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Designer, ThePaletteListingGivesEachPropertysTypeDefaultAndCategoryAndTheEventsApart)
{
    TDesignerRegistry registry;
    registry.RegisterComponents("Standard", {&TEdit::StaticClass()});
    registry.RegisterComponents("Buttons", {&TButton::StaticClass()});
    registry.RegisterPropertyInCategory(TVisualCategory(), TEdit::StaticClass(), "Color");
    std::ostringstream out;
    WritePaletteListing(out, registry);
    const std::string listing = out.str();

    const char* const expected[] = {
        "## Page Standard\n\n### TEdit\n\nDerived from `TWinControl`.\n",
        "| Color | TColor | `clWindow` | Visual |\n",   // a colour, its default overridden, a category
        "| ParentColor | Bool | `false` | - |\n",      // an inherited true overridden
        "| BorderStyle | TBorderStyle | `bsSingle` | - |\n",
        "| DragCursor | TCursor | `crDrag` | - |\n",
        "| Left | Integer | none | - |\n",              // always stored
        "| Font | TFont | none | - |\n",
        "| Text | String | none | - |\n",
        "`OnStartDrag`, `OnChange`.\n",                // republished first, then its own
        "## Page Buttons\n\n### TButton\n",
    };
    size_t last = 0;
    for (const char* line : expected) {
        const size_t at = listing.find(line);
        EXPECT_NE(at, std::string::npos) << line << "\nin\n" << listing;
        if (at != std::string::npos && std::string(line).rfind("##", 0) == 0) {
            EXPECT_GT(at, last) << line << " out of page order";
            last = at;
        }
    }
    EXPECT_EQ(listing.find("| OnChange |"), std::string::npos) << "an event listed as a property";
}
