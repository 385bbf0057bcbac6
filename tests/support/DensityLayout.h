#pragma once
// Forms laid out for the screen's density. CTest runs the layout tests again at other
// densities (ELV_SCREEN_DPI, support/TestMain.cpp); what is checked here holds at each.
#include "framework/forms/Form.h"

// A length of the 96-dpi design at the screen's density.
int AtScreenDensity(int Designed);

// Live against its resource read as designed, at the density the run asked for: the
// client size and every control's edges within a pixel of the design times the
// factor (a control sized by its text or picture: its place only), its own font
// scaled, its caption within it. Exempt names controls the program places itself.
void ExpectScaledFromDesign(const TCustomForm& Live, const char* ResourceName, const char* Exempt = "");
