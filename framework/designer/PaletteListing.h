#pragma once
// The designer's palette as a Markdown document for the library's users: every page,
// every component on it, each published property with its type, default and
// category, and every event, read from the class tables and the registrations.
#include "framework/designer/Registration.h"

#include <ostream>

#include <map>
#include <string>

// Notes: Markdown per class name, written after that component's events (how the
// component is used on a form).
void WritePaletteListing(std::ostream& Out, const TDesignerRegistry& Registry,
                         const std::map<std::string, std::string>& Notes = {});
