#pragma once
// A program's shipped form resources as the tests compare them with what the form
// writer writes back.
#include "framework/core/Streams.h"

#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

// The text of an RCDATA resource of the test executable.
inline std::string Stored(const char* name)
{
    TResourceStream stored(GetModuleHandleA(nullptr), name);
    return stored.ReadAll();
}

// The text with the sizes of auto-sized labels blanked out: those are measured from
// the font when the form loads, and the shipped font is not installed everywhere.
inline std::string WithoutMeasuredSizes(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool label = lines[i].rfind("  TLabel ", 0) == 0 || lines[i].rfind("  TCorvelLabel ", 0) == 0;
        if (!label)
            continue;
        size_t end = i + 1;
        bool autoSize = true;
        for (; end < lines.size() && lines[end] != "  }"; ++end)
            autoSize = autoSize && lines[end] != "    AutoSize = false";
        for (size_t j = i + 1; autoSize && j < end; ++j)
            if (lines[j].rfind("    Width = ", 0) == 0 || lines[j].rfind("    Height = ", 0) == 0)
                lines[j] = lines[j].substr(0, lines[j].find('=') + 1) + " (measured)";
    }
    std::string out;
    for (const auto& line : lines)
        out += line + "\n";
    return out;
}
