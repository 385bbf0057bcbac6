#pragma once
// The gallery's cellar: one wall of 9 rows by 18 columns, each compartment holding
// some bottles of one wine, or nothing, and the producers with the region each
// belongs to. The wall and the lists only show what this object holds.
#include "framework/text/DateUtils.h"

#include <map>
#include <string>
#include <vector>

enum class TWineColour { Red, White, Rose };

struct TProducer {
    std::string Code;   // as the producers' list box shows it, before the name
    std::string Name;
    std::string Region; // a code of the regions' combo box
};

struct TWine {
    std::string Producer; // a producer's code
    std::string Name;     // the cuvee as its label reads
    int Vintage;
    TWineColour Colour;
    TDateTime Bottled;
};

struct TCompartment {
    int Wine = -1; // index into Wines(); -1 for none
    int Bottles = 0;
};

class TCellar {
public:
    static constexpr int Rows = 9;
    static constexpr int Columns = 18;

    // The demonstration cellar, laid out the same way on every start.
    TCellar();

    static const std::vector<TProducer>& Producers();
    static const std::vector<TWine>& Wines();

    static bool IsCompartment(int Row, int Col) { return Row >= 1 && Row <= Rows && Col >= 1 && Col <= Columns; }
    // Row and Col counted from 1; EListError outside the wall.
    const TCompartment& At(int Row, int Col) const;
    // The wine in the compartment, or null when it holds no bottle.
    const TWine* WineAt(int Row, int Col) const;

    // Takes one bottle out; the last one leaves the compartment empty.
    void DrinkOne(int Row, int Col);
    void Empty(int Row, int Col);

    // "Chateau Palmer 2010, 6 bottles", or "empty".
    std::string Describe(int Row, int Col) const;
    // "C7": the row's letter, as the wall labels it, and the column's number.
    static std::string CompartmentName(int Row, int Col);

    // The region code of a producer's code (ignoring case); "" for an unknown producer.
    std::string RegionOf(const std::string& Producer) const;
    void SetRegion(const std::string& Producer, const std::string& Region);

private:
    TCompartment& Slot(int Row, int Col);

    std::vector<TCompartment> FCompartments; // row by row
    std::map<std::string, std::string> FRegions; // by upper-case producer code
};
