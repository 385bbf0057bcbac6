#include "framework/system/Process.h"

#include "framework/core/Exceptions.h"

#include <windows.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& CommandLine)
{
    const std::string& line = CommandLine;
    const size_t n = line.size();
    size_t i = 0;

    std::string program;
    if (i < n && line[i] == '"') {
        const size_t close = line.find('"', i + 1);
        program = line.substr(i + 1, (close == std::string::npos ? n : close) - i - 1);
        i = close == std::string::npos ? n : close + 1;
    } else {
        while (i < n && !IsBlank(line[i]))
            program += line[i++];
    }
    std::vector<std::string> args{program};

    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i >= n)
            break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(line[i]))) {
            if (line[i] == '\\') {
                size_t backslashes = 0;
                while (i < n && line[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && line[i] == '"') {
                    // Pairs of backslashes become one each; an odd one escapes the quote.
                    arg.append(backslashes / 2, '\\');
                    if (backslashes % 2) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(backslashes, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

std::string ModuleFileName(HMODULE Module)
{
    // Paths may exceed MAX_PATH: a result that fills the buffer may have been cut
    // short, so the buffer grows until the whole path fits.
    std::string name(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(Module, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            RaiseLastOSError("GetModuleFileName");
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

int ParamCount() { return static_cast<int>(SplitCommandLine(GetCommandLineA()).size()) - 1; }

std::string ParamStr(int Index)
{
    if (Index == 0)
        return ModuleFileName(nullptr);
    const std::vector<std::string> args = SplitCommandLine(GetCommandLineA());
    return Index > 0 && Index < static_cast<int>(args.size()) ? args[static_cast<size_t>(Index)] : std::string();
}
