// Random input for a program of ours: a seeded run of events through the real input
// path, with the program's health checked as it goes (see docs/ARCHITECTURE.md).
//
//   random_input --program launcher|gallery [--seed N|clock] [--events N] [--verbose]
//
// Every 500 events the program must answer within 2 s, its GDI and USER objects must
// stay near their level after the first 500 events, and no window of it may be left
// disabled with no dialog box open. Each time it ends (its main window closed) it
// must end cleanly with no framework object, GDI or USER object left, and it is
// started again. A failing run prints its seed and last 50 events: the same command
// with that seed replays it. Every run prints the program's slowest and median answer
// to a sent message under this load.
#include "random/Program.h"
#include "random/RandomEvents.h"
#include "support/ProgramDriver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <string>
#include <vector>

namespace {
constexpr DWORD AnswerTimeoutMs = 2000;
constexpr int CheckEvery = 500;
constexpr int LogLength = 50;
// How far a program's counts may stray from their level after the first 500 events
// (objects, GDI, USER): an open menu's handles, the brushes of the colours picked so
// far (the gallery's GDI objects range over 8). A leak of one object in every few
// hundred events goes past these within a run.
constexpr long Slack[CountedKinds] = {16, 12, 4};
const char* const CountedNames[CountedKinds] = {"framework objects", "GDI objects", "USER objects"};

struct TOptions {
    std::string Program;
    std::uint32_t Seed = 20261208;
    int Events = 10000;
    bool Verbose = false; // every event as it is sent
};

bool ParseOptions(int argc, char** argv, TOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--verbose") {
            options.Verbose = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        char* end = nullptr;
        if (arg == "--program")
            options.Program = value;
        else if (arg == "--seed" && value == "clock") {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            options.Seed = static_cast<std::uint32_t>(now.QuadPart ^ (now.QuadPart >> 32));
        } else if (arg == "--seed")
            options.Seed = static_cast<std::uint32_t>(std::strtoul(value.c_str(), &end, 10));
        else if (arg == "--events")
            options.Events = static_cast<int>(std::strtol(value.c_str(), &end, 10));
        else
            return false;
        if (end && (*end || value.empty()))
            return false;
    }
    return !options.Program.empty() && options.Events > 0;
}

bool ProgramNamed(const std::string& name, TProgramLayout& layout)
{
    if (name == "launcher") {
        // A demo medium: both installers (stand-ins) and the read-me, so every link works.
        const std::string standIn = FromUnix(ELV_SETUP_STANDIN_EXE);
        layout = {"launcher", FromUnix(ELV_LAUNCHER_EXE), {{standIn, "Setup.exe"}, {standIn, "mdac_typ.exe"}},
                {{"ReadMe.txt", "Elvarine\r\n\r\nA read-me for the random-input run.\r\n"}}};
        return true;
    }
    if (name == "gallery") {
        layout = {"gallery", FromUnix(ELV_GALLERY_EXE), {},
                {{"ReadMe.txt", "Corvel gallery\r\n\r\nA read-me for the random-input run.\r\n"}}};
        return true;
    }
    return false;
}

class TRandomRun {
public:
    TRandomRun(TProgramLayout layout, const TOptions& options)
        : FProgram(std::move(layout)), FOptions(options), FEvents(options.Seed)
    {
    }

    int Execute()
    {
        std::cout << "random input: " << FOptions.Program << ", seed " << FOptions.Seed << ", " << FOptions.Events
                  << " events" << std::endl;
        const DWORD started = GetTickCount();
        std::string error;
        if (!FProgram.Start(error))
            return Fail(error);
        for (FEvent = 1; FEvent <= FOptions.Events; ++FEvent)
            if (!Step(error))
                return Fail(error);
        if (!EndProgram(error))
            return Fail(error);
        PrintFigures(GetTickCount() - started);
        return 0;
    }

private:
    bool Step(std::string& error)
    {
        if (!FProgram.Running() && !Restart(error))
            return false;
        const TScreen screen = TScreen::Take(FProgram.Id());
        if (screen.Foreign || FEvent % 25 == 0)
            for (const std::string& name : FProgram.EndItsChildren())
                Log("(ended " + name + ")");
        if (FEvents.BoxAge() > 200) {
            error = "a dialog box or menu stayed open for 200 events";
            return false;
        }
        Log(FEvents.Next(screen));
        const auto answer = FProgram.Ping(AnswerTimeoutMs);
        if (!answer)
            return Ended(error);
        FAnswers.push_back(*answer);
        return FEvent % CheckEvery != 0 || Check(error);
    }

    // The program gave no answer: it must have ended, and cleanly.
    bool Ended(std::string& error)
    {
        const auto state = FProgram.WaitForExit(10000);
        if (!state) {
            error = "the program did not answer within 2 s";
            return false;
        }
        return CleanExit(*state, error);
    }

    bool Restart(std::string& error)
    {
        // It may have ended after its last answer: its exit is checked here then.
        if (const auto state = FProgram.WaitForExit(10000); state && !CleanExit(*state, error))
            return false;
        ++FRestarts;
        Log("(the program ended: started again)");
        return FProgram.Start(error);
    }

    bool CleanExit(const TExitState& state, std::string& error)
    {
        for (const std::string& name : state.EndedChildren)
            Log("(ended " + name + ")");
        if (state.Code != 0) {
            char code[16];
            std::snprintf(code, sizeof code, "%08lX", state.Code);
            error = std::string("the program ended with code ") + code;
            return false;
        }
        if (!state.Reported) {
            error = "the program wrote no object counts at exit";
            return false;
        }
        for (int k = 0; k < CountedKinds; ++k)
            if (state.Live[k] != 0) {
                error = std::to_string(state.Live[k]) + " " + CountedNames[k] + " still alive at exit";
                return false;
            }
        return true;
    }

    bool Check(std::string& error)
    {
        long counts[CountedKinds];
        for (int k = 0; k < CountedKinds; ++k) {
            const auto count = FProgram.Count(static_cast<TCountedKind>(k), AnswerTimeoutMs);
            if (!count)
                return Ended(error); // the next event's program is checked then
            counts[k] = *count;
        }
        std::cout << FEvent << " events: " << counts[0] << " objects, " << counts[1] << " GDI, " << counts[2]
                  << " USER, " << FRestarts << " restarts" << std::endl;
        if (!FBaseline) {
            FBaseline = true;
            std::copy(counts, counts + CountedKinds, FLevel);
        }
        for (int k = 0; k < CountedKinds; ++k)
            if (std::labs(counts[k] - FLevel[k]) > Slack[k]) {
                error = std::string(CountedNames[k]) + " went from " + std::to_string(FLevel[k]) + " after the first " +
                        std::to_string(CheckEvery) + " events to " + std::to_string(counts[k]);
                return false;
            }
        return NoneLeftDisabled(error);
    }

    // With no dialog box open, every window of the program takes input again. A box
    // being made has disabled the others before it shows, and one just closed
    // enables them again a moment later: only a state that lasts 1 s is a fault. An
    // open menu is modal too: a box closed from within its loop returns after it.
    bool NoneLeftDisabled(std::string& error)
    {
        std::string disabled;
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (attempt > 0) {
                Sleep(100);
                if (!FProgram.Ping(AnswerTimeoutMs))
                    return Ended(error); // it was closing: its exit is what counts
            }
            const TScreen screen = TScreen::Take(FProgram.Id());
            if (screen.Modal >= 0 || screen.Menu >= 0)
                return true;
            disabled.clear();
            for (const TWindowView& w : screen.Ours)
                if (w.Class != "#32768" && !IsWindowEnabled(w.Handle))
                    disabled += (disabled.empty() ? "" : ", ") + Describe(w.Handle);
            if (!IsWindowEnabled(FProgram.ApplicationWindow()))
                disabled += (disabled.empty() ? "" : ", ") + std::string("the application window");
            if (disabled.empty())
                return true;
        }
        error = disabled + " is disabled with no dialog box open";
        return false;
    }

    // Closes every box and menu, then the main window through the task-bar entry, and checks the exit.
    bool EndProgram(std::string& error)
    {
        if (!FProgram.Running() && !Restart(error))
            return false;
        auto boxOrMenu = [this] {
            const TScreen screen = TScreen::Take(FProgram.Id());
            return screen.Modal >= 0 || screen.Menu >= 0;
        };
        for (int i = 0; i < 50 && boxOrMenu(); ++i) {
            TInput().Tap(VK_ESCAPE).Send();
            FProgram.Ping(AnswerTimeoutMs);
        }
        if (FProgram.Running())
            PostMessageA(FProgram.ApplicationWindow(), WM_CLOSE, 0, 0);
        const auto state = FProgram.WaitForExit(10000);
        if (!state) {
            error = "the program did not end when its main window was closed";
            return false;
        }
        return CleanExit(*state, error);
    }

    void Log(const std::string& event)
    {
        FLog.push_back(std::string("#").append(std::to_string(FEvent)).append(" ").append(event));
        if (FLog.size() > LogLength)
            FLog.pop_front();
        if (FOptions.Verbose)
            std::cout << FLog.back() << std::endl;
    }

    int Fail(const std::string& error)
    {
        std::cout << "FAILED after event " << FEvent << " of " << FOptions.Events << ": " << error << "\n"
                  << "seed " << FOptions.Seed << "; the last events:\n";
        for (const std::string& line : FLog)
            std::cout << "  " << line << "\n";
        std::cout << "the program's windows:\n" << DescribeWindowsOf(FProgram.Id());
        std::cout << "replay: scripts/random-input.sh --program " << FOptions.Program << " --seed " << FOptions.Seed
                  << " --events " << FEvent << std::endl;
        FProgram.Kill();
        return 1;
    }

    void PrintFigures(DWORD elapsedMs)
    {
        std::vector<double> answers = FAnswers;
        std::sort(answers.begin(), answers.end());
        const double median = answers.empty() ? 0 : answers[answers.size() / 2];
        const double slowest = answers.empty() ? 0 : answers.back();
        std::printf("%s: %d events in %.1f s, %d restarts; answer to a sent message over %zu events: "
                    "median %.2f ms, slowest %.1f ms (slowest/median %.0f)\n",
                    FOptions.Program.c_str(), FOptions.Events, elapsedMs / 1000.0, FRestarts, answers.size(), median,
                    slowest, median > 0 ? slowest / median : 0.0);
        std::fflush(stdout);
    }

    TProgram FProgram;
    TOptions FOptions;
    TEventMaker FEvents;
    int FEvent = 0;
    int FRestarts = 0;
    bool FBaseline = false;
    long FLevel[CountedKinds] = {};
    std::deque<std::string> FLog;
    std::vector<double> FAnswers;
};
} // namespace

int main(int argc, char** argv)
{
    TOptions options;
    TProgramLayout layout;
    if (!ParseOptions(argc, argv, options) || !ProgramNamed(options.Program, layout)) {
        std::cerr << "usage: random_input --program launcher|gallery [--seed N|clock] [--events N] [--verbose]\n";
        return 2;
    }
    return TRandomRun(std::move(layout), options).Execute();
}
