#pragma once
// The events of a random-input run, drawn from one seeded generator and aimed at what
// the program shows: points inside its windows (now and then anywhere on the screen),
// keys to its focus, text typed or pasted into its edits and combo boxes. A dialog
// box or popup menu that opens is answered after a few events of its own.
#include "random/Screen.h"

#include <cstdint>
#include <random>
#include <string>

class TEventMaker {
public:
    explicit TEventMaker(std::uint32_t Seed);
    ~TEventMaker();
    TEventMaker(const TEventMaker&) = delete;
    TEventMaker& operator=(const TEventMaker&) = delete;

    // Sends one event through SendInput and says what it was.
    std::string Next(const TScreen& Screen);
    // How many events the box or menu open now has stayed open.
    int BoxAge() const { return FBoxAge; }

private:
    int Below(int n);
    bool Chance(int percent) { return Below(100) < percent; }
    POINT PointIn(const RECT& r);
    POINT Target(const TScreen& Screen);
    std::string Answer(const TScreen& Screen, const TWindowView& Box);
    std::string RandomText(int maxLength, bool forClipboard);
    std::string TypeInto(const TScreen& Screen);
    std::string Paste(const TScreen& Screen);
    std::string Mnemonic(const TScreen& Screen);
    // Clicks an edit or combo box of the program; false when it shows none.
    bool ClickTextControl(const TScreen& Screen, std::string& Where);

    std::mt19937 FRandom;
    HWND FBox = nullptr;
    int FBoxAge = 0;
    int FBoxPatience = 0;
    HWND FClipboardOwner = nullptr;
};
