// Damaged copies of the shipped form resources, made from a fixed seed: each is read
// into the real root, and when the reader accepts it the window is shown and
// painted. Whatever the damage, the only complaint may be EReadError: no crash,
// no hang, no other exception, in the reader or in the window it built.
#include "app/WD_InstallRegistry.h"
#include "app/WF_Installation.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/forms/Application.h"
#include "framework/streaming/FormReader.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {
std::string Stored(const char* name) { return TResourceStream(GetModuleHandleA(nullptr), name).ReadAll(); }

// One kind of damage, applied at places the random source chooses.
class TMutator {
public:
    explicit TMutator(uint32_t seed) : FRandom(seed) {}

    // A damaged copy of Text and the name of the damage, for the failure message.
    std::string Mutate(const std::string& text, std::string& kind)
    {
        std::string out = text;
        switch (Below(8)) {
        case 0:
            kind = "truncated";
            out.resize(Below(out.size()));
            break;
        case 1:
            kind = "bytes changed";
            for (size_t n = 1 + Below(4); n > 0; --n)
                out[Below(out.size())] = static_cast<char>(Below(256));
            break;
        case 2: {
            kind = "tokens swapped";
            const auto tokens = Tokens(out);
            const TToken a = tokens[Below(tokens.size())], b = tokens[Below(tokens.size())];
            if (a.Start == b.Start)
                break;
            const TToken& first = a.Start < b.Start ? a : b;
            const TToken& second = a.Start < b.Start ? b : a;
            if (first.Start + first.Length > second.Start)
                break;
            const std::string one = out.substr(first.Start, first.Length), two = out.substr(second.Start, second.Length);
            out.replace(second.Start, second.Length, one);
            out.replace(first.Start, first.Length, two);
            break;
        }
        case 3: {
            kind = "huge number";
            static const char* const huge[] = {"2147483647", "-2147483648", "4294967295", "0xFFFFFFFF", "0x7FFFFFFF",
                                               "99999999999999999999", "65535", "-65535", "32767", "-32768", "0", "-1",
                                               "1e308", "-0x1"};
            const auto numbers = Tokens(out, true);
            if (numbers.empty())
                break;
            const TToken& at = numbers[Below(numbers.size())];
            out.replace(at.Start, at.Length, huge[Below(std::size(huge))]);
            break;
        }
        case 4: {
            kind = "deep nesting";
            const size_t depth = 1 + Below(60);
            std::string chain;
            for (size_t i = 0; i < depth; ++i)
                chain += "TStatusBar SB_Fuzz" + std::to_string(i) + " {\n";
            chain += std::string(depth, '}') + "\n";
            out.insert(out.find('\n') + 1, chain);
            break;
        }
        case 5: {
            kind = "long string";
            const size_t quote = out.find('"', Below(out.size()));
            if (quote != std::string::npos)
                out.insert(quote + 1, std::string(1 + Below(100000), static_cast<char>('a' + Below(26))));
            break;
        }
        case 6: {
            kind = "long name";
            const auto tokens = Tokens(out);
            const TToken& at = tokens[Below(tokens.size())];
            if (std::isalpha(static_cast<unsigned char>(out[at.Start])))
                out.insert(at.Start + at.Length, std::string(1 + Below(20000), 'x'));
            break;
        }
        default: {
            kind = "line repeated or dropped";
            const size_t start = out.rfind('\n', Below(out.size()));
            const size_t begin = start == std::string::npos ? 0 : start + 1;
            const size_t end = out.find('\n', begin);
            const std::string line = out.substr(begin, end == std::string::npos ? std::string::npos : end - begin + 1);
            if (Below(2))
                out.insert(begin, line);
            else
                out.erase(begin, line.size());
            break;
        }
        }
        return out;
    }

private:
    struct TToken {
        size_t Start, Length;
    };
    // The blank-separated words of Text; with Numbers, only those that start like a number.
    static std::vector<TToken> Tokens(const std::string& text, bool numbers = false)
    {
        std::vector<TToken> tokens;
        for (size_t i = 0; i < text.size();) {
            while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
                ++i;
            const size_t start = i;
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
                ++i;
            if (i > start && (!numbers || std::isdigit(static_cast<unsigned char>(text[start])) || text[start] == '-'))
                tokens.push_back({start, i - start});
        }
        return tokens;
    }
    // Uniform enough for damage, and the same on every standard library.
    size_t Below(size_t n) { return n == 0 ? 0 : FRandom() % n; }

    std::mt19937 FRandom;
};

constexpr int Mutations = 2000;
constexpr uint32_t Seed = 20261208;
} // namespace

class FormResourceFuzz : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->SetTitle("Installation");
        DM_LocalData = new TDM_LocalData(nullptr);
        // A failure inside a message handler would otherwise become a message box.
        Application->OnException = [this](TObject*, const std::exception& e) {
            ADD_FAILURE() << "while showing " << FCurrent << ": " << e.what();
        };
    }
    void TearDown() override
    {
        Application->OnException = nullptr;
        delete DM_LocalData;
        DM_LocalData = nullptr;
    }

    // Reads Text into Root; false when the reader refused it. Any other exception
    // fails the test, naming the mutation.
    bool Read(const std::string& text, TComponent& root, const char* resource)
    {
        try {
            ReadComponent(text, root, resource);
            return true;
        } catch (const EReadError&) {
            return false;
        } catch (const std::exception& e) {
            ADD_FAILURE() << FCurrent << ": " << e.what();
            return false;
        }
    }

    std::string FCurrent;
};

TEST_F(FormResourceFuzz, DamagedResourcesAreRefusedWithReadErrorsOrShowAndPaint)
{
    const std::string window = Stored("TFM_Installation"), data = Stored("TDM_LocalData");
    TMutator mutator(Seed);
    // One root of each, built from the shipped resources; each damaged text replaces
    // what the last one left, components and all.
    TFM_Installation form(nullptr);
    form.Show();
    TDM_LocalData module(nullptr);
    int accepted = 0;
    for (int i = 0; i < Mutations && !HasFailure(); ++i) {
        std::string kind;
        const bool ofWindow = i % 4 != 3;
        const std::string text = mutator.Mutate(ofWindow ? window : data, kind);
        FCurrent = "mutation " + std::to_string(i) + " (" + kind + ")";
        if (!ofWindow) {
            accepted += Read(text, module, "TDM_LocalData");
            continue;
        }
        form.Brush()->SetBitmap(nullptr); // the pattern belongs to an image about to go
        form.DestroyComponents();
        if (!Read(text, form, "TFM_Installation"))
            continue;
        ++accepted;
        form.Show();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
    }
    form.Brush()->SetBitmap(nullptr);
    // Damage is mostly refused, yet enough is accepted to show and paint many windows.
    EXPECT_GT(accepted, Mutations / 10);
    EXPECT_LT(accepted, Mutations);
    std::cout << accepted << " of " << Mutations << " damaged resources were accepted\n";
}
