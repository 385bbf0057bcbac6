#pragma once
// Damaged copies of a form resource, made from a seed: each is read into a real root
// and, when the reader accepts it, shown and painted. Whatever the damage, the only
// complaint may be the reader's error naming the resource and line: no fault, no hang,
// no other exception, in the reader or in the window it built. ELV_FUZZ_SEED chooses
// the seed ("clock" takes a new one, which the run prints).
#include "framework/core/Exceptions.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/streaming/FormReader.h"
#include "support/FaultReport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

// One kind of damage, applied at places the random source chooses.
class TFormMutator {
public:
    explicit TFormMutator(uint32_t seed) : FRandom(seed) {}

    // A damaged copy of Text and the name of the damage, for the failure message.
    std::string Mutate(const std::string& text, std::string& kind)
    {
        std::string out = text;
        switch (Below(10)) {
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
                                               "1e308", "-0x1", "9223372036854775808", "-9223372036854775809"};
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
        case 7: {
            // Bytes a string may hold but no one typed: controls, NUL, lone UTF-8
            // parts, quotes and escapes, line ends inside the quotes.
            kind = "odd bytes in a string";
            static const char* const odd[] = {"\x01", "\x7f", "\xff", "\xc3", "\x80\x80", "\"", "\\", "\\\"",
                                              "\r",   "\n",   "\t",   "%s%n", "#0",       "''"};
            const size_t quote = out.find('"', Below(out.size()));
            if (quote == std::string::npos)
                break;
            for (size_t n = 1 + Below(3); n > 0; --n)
                out.insert(quote + 1, odd[Below(std::size(odd))]);
            if (Below(4) == 0)
                out.insert(quote + 1, 1, '\0');
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
        if (tokens.empty())
            tokens.push_back({0, 0});
        return tokens;
    }
    // Uniform enough for damage, and the same on every standard library.
    size_t Below(size_t n) { return n == 0 ? 0 : FRandom() % n; }

    std::mt19937 FRandom;
};

inline bool FuzzSeedFromClock()
{
    const char* chosen = std::getenv("ELV_FUZZ_SEED");
    return chosen && std::string(chosen) == "clock";
}

inline uint32_t FuzzSeed()
{
    const char* chosen = std::getenv("ELV_FUZZ_SEED");
    if (!chosen)
        return 20261208;
    if (FuzzSeedFromClock())
        return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return static_cast<uint32_t>(std::stoul(chosen));
}

// Shows a root the reader built and paints it whole, children and all.
inline void ShowAndPaint(TForm& form)
{
    form.Show();
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
}

// Runs Mutations damaged copies of Text, named Resource, through Show, which reads
// one into a root (and shows what it accepted). Fails the test at any complaint but
// the reader's own error about that resource; prints the tally and the seed.
inline void FuzzResource(const std::string& text, const std::string& resource,
                         const std::function<void(const std::string&)>& show, int mutations = 2000)
{
    const uint32_t seed = FuzzSeed();
    // A clock-seeded rerun casts a new net rather than the fixed one's again, and a
    // third of it keeps the test run short; its first mutations replay in full.
    if (FuzzSeedFromClock())
        mutations /= 3;
    TFormMutator mutator(seed);
    int read = 0, refused = 0;
    std::string current;
    // A failure inside a message handler would otherwise become a message box.
    Application->OnException = [&](TObject*, const std::exception& e) {
        ADD_FAILURE() << "while showing " << current << ": " << e.what();
    };
    for (int i = 0; i < mutations && !testing::Test::HasFailure(); ++i) {
        std::string kind;
        const std::string damaged = mutator.Mutate(text, kind);
        current = resource + " seed " + std::to_string(seed) + " mutation " + std::to_string(i) + " (" + kind + ")";
        SetFaultContext(current);
        try {
            show(damaged);
            ++read;
        } catch (const EReadError& e) {
            ++refused;
            EXPECT_EQ(std::string(e.what()).rfind(resource + " line ", 0), 0u) << current << ": " << e.what();
        } catch (const std::exception& e) {
            ADD_FAILURE() << current << ": not the reader's error: " << e.what();
        }
    }
    SetFaultContext("");
    Application->OnException = nullptr;
    // Damage is mostly refused, yet enough is accepted to show and paint many windows.
    EXPECT_GT(read, mutations / 20) << resource;
    EXPECT_GT(refused, mutations / 20) << resource;
    std::cout << resource << ", seed " << seed << " (replay with ELV_FUZZ_SEED=" << seed << "): " << mutations
              << " mutations, " << read << " read and shown, " << refused << " refused, faults: "
              << (testing::Test::HasFailure() ? "see above" : "0") << "\n";
}

// Show for a root that each damaged copy replaces, components and all.
inline std::function<void(const std::string&)> ShowInto(TForm& root, const std::string& resource)
{
    return [&root, resource](const std::string& text) {
        root.Brush()->SetBitmap(nullptr); // a tiled pattern belongs to an image about to go
        root.DestroyComponents();
        ReadComponent(text, root, resource);
        ShowAndPaint(root);
    };
}
