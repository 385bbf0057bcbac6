// The coded lists under a long random run of everything a program or a user does to
// them, checked after every step against a plain model of the items: each code must
// still stand beside its own display text and object. ELV_STRESS_SEED replays a run
// ("clock" takes a new seed, which a failure prints).
#include "ScreenFormFixture.h"

#include "components/CorvelComboBox.h"
#include "components/CorvelListBox.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Edit.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {
struct TModelItem {
    std::string Code, Description;
    TObject* Object;
    bool HasSpace = true; // shown with its code when the list shows codes: it has one
    bool operator==(const TModelItem& other) const
    {
        return Code == other.Code && Description == other.Description && Object == other.Object;
    }
};

std::string Printable(const TModelItem& item) { return "{'" + item.Code + "' '" + item.Description + "'}"; }

uint32_t StressSeed()
{
    const char* chosen = std::getenv("ELV_STRESS_SEED");
    if (!chosen)
        return 20261209;
    if (std::string(chosen) == "clock")
        return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return static_cast<uint32_t>(std::stoul(chosen));
}

constexpr int Operations = 50000; // for each of the two lists
constexpr int Crowded = 40;       // above this, items are rather taken away

class CodedListsStress : public ScreenFormFixture {
protected:
    void SetUp() override
    {
        ScreenFormFixture::SetUp();
        // Shown, a list repaints its scroll bar at every change under Wine, which makes
        // the run eight times longer; the pairing owes nothing to being shown, and the
        // components' own tests paint both lists.
        Form().Hide();
        std::cout << "stress seed " << Seed << " (replay with ELV_STRESS_SEED=" << Seed << ")\n";
    }

    size_t Below(size_t n) { return n == 0 ? 0 : Random() % n; }
    int Index(size_t count) { return static_cast<int>(Below(count)); }

    // An item string: codes repeat, a few items have no code.
    std::string ItemString()
    {
        static const char* const codes[] = {"BOR", "CHA", "ALS", "LOI", "RHO", "A", "10"};
        static const char* const words[] = {"Bordeaux", "Champagne", "Alsace", "Val de Loire", "Rhone", "x"};
        const std::string word = words[Below(std::size(words))];
        switch (Below(10)) {
        case 0: return word; // no space: no code
        default: return codes[Below(std::size(codes))] + (" " + word) + std::to_string(Below(100));
        }
    }
    static TModelItem Modelled(const std::string& S, TObject* Object)
    {
        const auto split = TCodedStrings::Split(S);
        return {split.Code, split.Description, Object, !split.Code.empty()};
    }
    // A fresh object for a new item: the model finds items by it after a sort.
    TObject* NewObject() { return &FObjects[FNextObject++ % std::size(FObjects)]; }

    // One step of the list's strings, applied to the model too; false when the
    // step is not the list's (the caller's own steps then run).
    bool StringsStep(TCodedStrings& items)
    {
        const size_t count = FModel.size();
        auto at = FModel.begin();
        const std::string s = ItemString();
        switch (Below(count > Crowded ? 4 : 12)) {
        case 0:
            if (count == 0)
                return true;
            at += Index(count);
            items.Delete(static_cast<int>(at - FModel.begin()));
            FModel.erase(at);
            return true;
        case 1:
            if (count == 0)
                return true;
            at += Index(count);
            items.Put(static_cast<int>(at - FModel.begin()), s);
            *at = Modelled(s, at->Object);
            return true;
        case 2:
            if (count < 2)
                return true;
            Moved(items, Index(count), Index(count));
            return true;
        case 3:
            if (Below(20) == 0) {
                items.Clear();
                FModel.clear();
            }
            return true;
        case 4:
        case 5: {
            TObject* object = NewObject();
            const int index = items.AddObject(s, object);
            FModel.insert(FModel.begin() + index, Modelled(s, object));
            return true;
        }
        case 6: {
            TObject* object = NewObject();
            const int index = Index(count + 1);
            items.InsertObject(index, s, object);
            FModel.insert(FModel.begin() + index, Modelled(s, object));
            return true;
        }
        case 7:
            if (count == 0)
                return true;
            at += Index(count);
            at->Object = NewObject();
            items.PutObject(static_cast<int>(at - FModel.begin()), at->Object);
            return true;
        default:
            return false;
        }
    }
    void Moved(TCodedStrings& items, int from, int to)
    {
        if (Below(2)) {
            items.Exchange(from, to);
            std::swap(FModel[from], FModel[to]);
        } else {
            items.Move(from, to);
            const TModelItem moved = FModel[from];
            FModel.erase(FModel.begin() + from);
            FModel.insert(FModel.begin() + to, moved);
        }
    }
    void SelectByCode(TCustomListControl& list, const std::string& code, std::string selected)
    {
        int expected = -1;
        for (size_t i = 0; i < FModel.size() && expected < 0; ++i)
            if (FModel[i].Code == code)
                expected = static_cast<int>(i);
        EXPECT_EQ(list.ItemIndex(), expected) << "selecting code '" << code << "'";
        EXPECT_EQ(selected, expected < 0 ? "" : code);
    }
    std::string SomeCode() { return FModel.empty() || Below(5) == 0 ? "ZZZ" : FModel[Below(FModel.size())].Code; }

    // Every item as the model has it, its display text as SeeCode says; a sorted list
    // places items itself, so there the model takes the list's order once each item
    // has been found beside its own text and object.
    void Check(const TCodedStrings& items, bool seeCode, bool sorted)
    {
        ASSERT_EQ(items.Count(), static_cast<int>(FModel.size()));
        std::vector<TModelItem> listed;
        for (int i = 0; i < items.Count(); ++i) {
            const auto item = items.ItemAt(i);
            listed.push_back({item.Code, item.Description, items.Objects(i)});
        }
        if (sorted) {
            std::vector<TModelItem> left = FModel, reordered;
            for (const TModelItem& item : listed) {
                const auto found = std::find(left.begin(), left.end(), item);
                ASSERT_NE(found, left.end()) << Printable(item) << " no longer stands beside its own text and object";
                reordered.push_back(*found);
                left.erase(found);
            }
            FModel = reordered;
        }
        ASSERT_EQ(listed, FModel) << "a code no longer stands beside its own text and object";
        for (int i = 0; i < items.Count(); ++i) {
            const TModelItem& item = FModel[static_cast<size_t>(i)];
            ASSERT_EQ(items.DisplayText(i),
                      seeCode && item.HasSpace ? item.Code + ' ' + item.Description : item.Description);
        }
    }
    template <class Step>
    void Run(Step step)
    {
        for (int i = 0; i < Operations && !HasFatalFailure() && !HasFailure(); ++i) {
            FStep = i;
            step();
            if (i % 64 == 0)
                Pump();
        }
        std::cout << Operations << " operations run, " << (HasFailure() ? "a pairing broke at operation " : "")
                  << (HasFailure() ? std::to_string(FStep) : "no pairing broke") << "\n";
    }

    const uint32_t Seed = StressSeed();
    std::mt19937 Random{Seed};
    std::vector<TModelItem> FModel;
    TObject FObjects[512];
    size_t FNextObject = 0;
    int FStep = 0;
};

void PrintTo(const TModelItem& item, std::ostream* out) { *out << Printable(item); }
} // namespace

TEST_F(CodedListsStress, ComboBoxKeepsEveryCodeBesideItsTextAndObject)
{
    auto& combo = Place<TCorvelComboBox>(10, 10, 220, 21);
    TCodedStrings& items = *combo.CodedItems();
    Run([&] {
        if (!StringsStep(items)) {
            if (Below(3) == 0) {
                combo.SetSeeCode(!combo.SeeCode());
            } else {
                const std::string code = SomeCode();
                combo.SetSelectedCode(code);
                SelectByCode(combo, code, combo.GetSelectedCode());
            }
        }
        Check(items, combo.SeeCode(), false);
    });
}

TEST_F(CodedListsStress, ListBoxKeepsEveryCodeBesideItsTextAndObject)
{
    auto& edit = Place<TEdit>(240, 10, 120, 21);
    auto& add = Place<TButton>(240, 40, 60, 25);
    auto& update = Place<TButton>(240, 70, 60, 25);
    auto& remove = Place<TButton>(240, 100, 60, 25);
    auto& list = Place<TCorvelListBox>(10, 10, 220, 200);
    list.SetEdit(&edit);
    list.SetButtonAdd(&add);
    list.SetButtonUpdate(&update);
    list.SetButtonDelete(&remove);
    TCodedStrings& items = *list.CodedItems();
    const auto click = [](TButton& button) { SendMessageA(button.Handle(), BM_CLICK, 0, 0); };
    Run([&] {
        if (StringsStep(items)) {
            Check(items, list.SeeCode(), list.Sorted());
            return;
        }
        const int selected = list.ItemIndex();
        switch (Below(6)) {
        case 0: list.SetSeeCode(!list.SeeCode()); break;
        case 1: list.SetSorted(!list.Sorted()); break;
        case 2: {
            const std::string code = SomeCode();
            list.SetSelectedCode(code);
            SelectByCode(list, code, list.GetSelectedCode());
            break;
        }
        case 3: // the user types an item and presses Add
            edit.SetText(ItemString());
            if (add.Enabled()) {
                const std::string typed = edit.Text();
                click(add);
                // At the end, or a sorted list's own place, which the check then takes.
                FModel.push_back(Modelled(typed, nullptr));
            }
            break;
        case 4: // the user edits the chosen item and presses Update
            if (selected < 0)
                break;
            edit.SetText(ItemString()); // typing may choose another item
            if (update.Enabled() && list.ItemIndex() >= 0) {
                const std::string typed = edit.Text();
                TModelItem& item = FModel[static_cast<size_t>(list.ItemIndex())];
                item = Modelled(list.SeeCode() ? typed : item.Code + ' ' + typed, item.Object);
                click(update);
            }
            break;
        case 5: // and presses Delete
            if (selected >= 0 && remove.Enabled()) {
                click(remove);
                FModel.erase(FModel.begin() + selected);
            }
            break;
        }
        Check(items, list.SeeCode(), list.Sorted());
    });
}

