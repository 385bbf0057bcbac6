#include "gallery/Cellar.h"

#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cctype>

namespace {
// Codes match ignoring case, as the coded lists match them.
std::string CodeKey(std::string code)
{
    std::transform(code.begin(), code.end(), code.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return code;
}
} // namespace

const std::vector<TProducer>& TCellar::Producers()
{
    static const std::vector<TProducer> producers{
        {"MAR", "Chateau Margaux", "BOR"},
        {"PAL", "Chateau Palmer", "BOR"},
        {"YQU", "Chateau d'Yquem", "BOR"},
        {"LEF", "Domaine Leflaive", "BOU"},
        {"ROU", "Domaine Roumier", "BOU"},
        {"KRU", "Krug", "CHA"},
        {"RUI", "Ruinart", "CHA"},
        {"TRI", "Maison Trimbach", "ALS"},
        {"HUE", "Domaine Huet", "LOI"},
        {"GUI", "E. Guigal", "RHO"},
        {"CHV", "Domaine Jean-Louis Chave", "RHO"},
        {"TEM", "Domaine Tempier", "PRO"},
        {"OTT", "Domaines Ott", "PRO"},
        {"GAS", "Mas de Daumas Gassac", "LAN"},
        {"MON", "Chateau Montus", "SUD"},
        {"MAC", "Domaine Macle", "JUR"},
        {"ABB", "Domaine Comte Abbatucci", "COR"},
    };
    return producers;
}

const std::vector<TWine>& TCellar::Wines()
{
    static const std::vector<TWine> wines{
        {"MAR", "Chateau Margaux", 2010, TWineColour::Red, EncodeDate(2012, 6, 14)},
        {"PAL", "Chateau Palmer", 2015, TWineColour::Red, EncodeDate(2017, 7, 3)},
        {"YQU", "Chateau d'Yquem", 2009, TWineColour::White, EncodeDate(2012, 4, 23)},
        {"LEF", "Puligny-Montrachet Les Pucelles", 2017, TWineColour::White, EncodeDate(2019, 3, 11)},
        {"ROU", "Chambolle-Musigny Les Amoureuses", 2016, TWineColour::Red, EncodeDate(2018, 2, 27)},
        {"KRU", "Grande Cuvee", 2008, TWineColour::White, EncodeDate(2009, 5, 18)},
        {"RUI", "Rose Brut", 2018, TWineColour::Rose, EncodeDate(2019, 1, 21)},
        {"TRI", "Riesling Clos Sainte-Hune", 2013, TWineColour::White, EncodeDate(2014, 9, 2)},
        {"HUE", "Vouvray Le Haut-Lieu Sec", 2019, TWineColour::White, EncodeDate(2020, 6, 8)},
        {"GUI", "Cote-Rotie La Mouline", 2012, TWineColour::Red, EncodeDate(2016, 5, 30)},
        {"CHV", "Hermitage", 2011, TWineColour::Red, EncodeDate(2013, 8, 19)},
        {"TEM", "Bandol Rose", 2021, TWineColour::Rose, EncodeDate(2022, 2, 15)},
        {"OTT", "Chateau de Selle Rose", 2022, TWineColour::Rose, EncodeDate(2023, 1, 10)},
        {"GAS", "Mas de Daumas Gassac Rouge", 2014, TWineColour::Red, EncodeDate(2016, 4, 4)},
        {"MON", "Madiran Cuvee Prestige", 2010, TWineColour::Red, EncodeDate(2013, 3, 25)},
        {"MAC", "Chateau-Chalon", 2009, TWineColour::White, EncodeDate(2016, 1, 12)},
        {"ABB", "Faustine Rose", 2020, TWineColour::Rose, EncodeDate(2021, 3, 1)},
    };
    return wines;
}

TCellar::TCellar() : FCompartments(Rows * Columns)
{
    for (const TProducer& producer : Producers())
        SetRegion(producer.Code, producer.Region);
    // Each row keeps its wines in runs of three compartments, the runs shifting by
    // two wines from row to row; every seventh run is drunk out.
    const int wines = static_cast<int>(Wines().size());
    for (int row = 1; row <= Rows; ++row)
        for (int col = 1; col <= Columns; ++col) {
            const int run = (row - 1) * (Columns / 3) + (col - 1) / 3;
            if (run % 7 == 6)
                continue;
            TCompartment& slot = Slot(row, col);
            slot.Wine = ((row - 1) * 2 + (col - 1) / 3) % wines;
            slot.Bottles = 1 + (row * 5 + col * 3) % 12;
        }
}

TCompartment& TCellar::Slot(int Row, int Col)
{
    if (!IsCompartment(Row, Col))
        throw EListError(Exception::Fmt("No compartment at row %d, column %d", Row, Col));
    return FCompartments[static_cast<size_t>((Row - 1) * Columns + (Col - 1))];
}

const TCompartment& TCellar::At(int Row, int Col) const { return const_cast<TCellar*>(this)->Slot(Row, Col); }

const TWine* TCellar::WineAt(int Row, int Col) const
{
    const TCompartment& slot = At(Row, Col);
    return slot.Bottles > 0 ? &Wines()[static_cast<size_t>(slot.Wine)] : nullptr;
}

void TCellar::DrinkOne(int Row, int Col)
{
    TCompartment& slot = Slot(Row, Col);
    if (slot.Bottles > 0 && --slot.Bottles == 0)
        slot.Wine = -1;
}

void TCellar::Empty(int Row, int Col) { Slot(Row, Col) = TCompartment(); }

std::string TCellar::Describe(int Row, int Col) const
{
    const TWine* wine = WineAt(Row, Col);
    if (!wine)
        return "empty";
    const int bottles = At(Row, Col).Bottles;
    return wine->Name + " " + std::to_string(wine->Vintage) + ", " + std::to_string(bottles) +
           (bottles == 1 ? " bottle" : " bottles");
}

std::string TCellar::CompartmentName(int Row, int Col)
{
    std::string name(1, static_cast<char>('A' + Row - 1));
    return name.append(std::to_string(Col));
}

std::string TCellar::RegionOf(const std::string& Producer) const
{
    const auto it = FRegions.find(CodeKey(Producer));
    return it == FRegions.end() ? std::string() : it->second;
}

void TCellar::SetRegion(const std::string& Producer, const std::string& Region) { FRegions[CodeKey(Producer)] = Region; }
