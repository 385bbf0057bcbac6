#include "BackgroundPattern.h"

#include "support/ProgramDriver.h"
#include "support/StoredForm.h"

#include "app/WD_InstallRegistry.h"
#include "app/WF_Installation.h"
#include "framework/core/Streams.h"
#include "framework/GraphicsTestSupport.h"
#include "framework/forms/DataModule.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/system/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {
// The shipped window as the designer reads it: a plain form standing for its class.
struct TDesignedWindow {
    TDesignedWindow()
    {
        Form.SetDesigning(true);
        ReadComponentRes("TFM_Installation", Form);
    }
    TImage& Image(const char* name)
    {
        auto* image = dynamic_cast<TImage*>(Form.FindComponent(name));
        if (!image)
            throw std::runtime_error(std::string("no image ") + name);
        return *image;
    }
    TForm Form{nullptr};
};
} // namespace

// Read in design mode by plain roots, the shipped resources write back unchanged:
// they are in the writer's own form, so what the designer saves is what ships.
TEST(LauncherResources, EveryShippedFormWritesBackUnchanged)
{
    TDesignedWindow window;
    const std::string stored = Stored("TFM_Installation");
    EXPECT_EQ(WithoutMeasuredSizes(WriteComponent(window.Form)), WithoutMeasuredSizes(stored));
    // Only the sizes of the seven auto-sized labels were left out of the comparison.
    const std::string masked = WithoutMeasuredSizes(stored);
    size_t blanked = 0;
    for (size_t at = masked.find("(measured)"); at != std::string::npos; at = masked.find("(measured)", at + 1))
        ++blanked;
    EXPECT_EQ(blanked, 14u);

    TDataModule data(nullptr);
    data.SetDesigning(true);
    ReadComponentRes("TDM_LocalData", data);
    EXPECT_EQ(WriteComponent(data), Stored("TDM_LocalData"));
}

TEST(LauncherResources, BackgroundPatternHasItsExactPixels)
{
    TDesignedWindow window;
    TBitmap* pattern = window.Image("IM_Background").Picture()->Bitmap();
    ASSERT_EQ(pattern->Width(), 8);
    ASSERT_EQ(pattern->Height(), 8);
    EXPECT_EQ(pattern->PixelFormat(), pf24bit);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pattern->Pixel(x, y), PatternColor(x, y)) << x << ", " << y;
    EXPECT_EQ(pattern->Pixel(2, 2), static_cast<TColor>(0x00D6DFE7));
}

TEST(LauncherResources, BannerIsASixteenColourPictureOnALightGreyGround)
{
    TDesignedWindow window;
    TImage& image = window.Image("IM_Elvarine");
    TBitmap* banner = image.Picture()->Bitmap();
    EXPECT_EQ(banner->Width(), 285);
    EXPECT_EQ(banner->Height(), 90);
    EXPECT_EQ(banner->PixelFormat(), pf4bit);
    // The ground, which the window leaves out as transparent, is a light grey...
    const TColor ground = banner->Pixel(0, 89);
    const int r = ground & 0xFF, g = ground >> 8 & 0xFF, b = ground >> 16 & 0xFF;
    EXPECT_TRUE(r == g && g == b && r >= 0xC0 && r < 0xFF) << std::hex << ground;
    EXPECT_EQ(banner->TransparentColor(), ground);
    // ...the emblem at the left is not, and the text at the right shows on it.
    EXPECT_NE(banner->Pixel(45, 45), ground);
    int inked = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 100; x < 285; ++x)
            inked += banner->Pixel(x, y) != ground;
    EXPECT_GT(inked, 500);
    EXPECT_EQ(image.Width(), 285);
    EXPECT_EQ(image.Height(), 90);
}

// The icon a shell shows for the program (its first icon group) and its windows show in
// their caption bar and task-bar entry: a wine bottle drawn at 16 and 32 pixels, and
// at the sizes of both at 120, 144 and 192 pixels per inch.
TEST(LauncherResources, IconIsAWineBottleAtSixteenAndThirtyTwoPixels)
{
    const HMODULE module = GetModuleHandleA(nullptr);
    std::vector<std::string> groups;
    EnumResourceNamesA(module, RT_GROUP_ICON, [](HMODULE, LPCSTR, LPSTR name, LONG_PTR found) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(found)->push_back(IS_INTRESOURCE(name) ? "#" : name);
        return TRUE;
    }, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front(), "MAINICON");

    // The group's directory (GRPICONDIR): a count, then 14-byte entries led by the width.
    const std::string directory = [&] {
        TResourceStream stored(module, "MAINICON", RT_GROUP_ICON);
        return stored.ReadAll();
    }();
    const std::vector<int> sizes{16, 20, 24, 32, 40, 48, 64};
    ASSERT_GE(directory.size(), 6 + sizes.size() * 14);
    EXPECT_EQ(directory[4], static_cast<char>(sizes.size()));
    for (size_t i = 0; i < sizes.size(); ++i)
        EXPECT_EQ(directory[6 + 14 * i], sizes[i]);

    for (const int size : sizes) {
        SCOPED_TRACE(size);
        const TUniqueHandle<HICON, &DestroyIcon> icon(
            static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON, size, size, 0)));
        ASSERT_NE(icon.Get(), nullptr);
        TBitmap surface;
        MakeBlank(surface, size, size, clFuchsia);
        ASSERT_TRUE(DrawIconEx(surface.Canvas()->Handle(), 0, 0, icon.Get(), size, size, 0, nullptr, DI_NORMAL));
        // The middles of units of the bottle's 32-unit drawing grid, at this size.
        const auto at = [&](int x, int y) { return surface.Pixel((2 * x + 1) * size / 64, (2 * y + 1) * size / 64); };
        EXPECT_EQ(at(0, 0), clFuchsia) << "the ground is transparent";
        EXPECT_EQ(at(31, 16), clFuchsia) << "the ground is transparent";
        EXPECT_EQ(at(16, 21), static_cast<TColor>(RGB(0x7A, 0x10, 0x20))) << "the label's red band";
        EXPECT_EQ(at(20, 29), static_cast<TColor>(RGB(0x1E, 0x46, 0x22))) << "the green glass";
        EXPECT_EQ(at(16, 2), static_cast<TColor>(RGB(0xC8, 0xA0, 0x40))) << "the gold capsule";
    }
}

#ifdef ELV_RELEASE_LAUNCHER
namespace {
// Every resource of a program file, read without running it: "type/name/language" to bytes.
std::map<std::string, std::string> ResourcesOf(const std::string& exe)
{
    const TUniqueHandle<HMODULE, &FreeLibrary> module(
        LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module.Get())
        throw std::runtime_error("cannot read the resources of " + exe);
    using TList = std::map<std::string, std::string>;
    const auto id = [](LPCSTR s) { return IS_INTRESOURCE(s) ? std::string("#").append(std::to_string(LOWORD(s))) : std::string(s); };
    struct TWalk {
        HMODULE Module;
        TList List;
        decltype(id) Id;
    } walk{module.Get(), {}, id};
    EnumResourceTypesA(module.Get(), [](HMODULE m, LPSTR type, LONG_PTR w) -> BOOL {
        return EnumResourceNamesA(m, type, [](HMODULE m, LPCSTR type, LPSTR name, LONG_PTR w) -> BOOL {
            return EnumResourceLanguagesA(m, type, name, [](HMODULE m, LPCSTR type, LPCSTR name, WORD lang, LONG_PTR w) -> BOOL {
                auto& walk = *reinterpret_cast<TWalk*>(w);
                HRSRC found = FindResourceExA(m, type, name, lang);
                const char* bytes = static_cast<const char*>(LockResource(LoadResource(m, found)));
                walk.List[walk.Id(type) + "/" + walk.Id(name) + "/" + std::to_string(lang)] =
                    std::string(bytes, SizeofResource(m, found));
                return TRUE;
            }, w);
        }, w);
    }, reinterpret_cast<LONG_PTR>(&walk));
    return walk.List;
}
} // namespace

// The shipped 32-bit program is checked without running it, on machines that cannot:
// it carries the very icon, form resources and banner that the 64-bit tests exercise.
TEST(LauncherResources, TheReleaseProgramCarriesTheTestedBuildsResourcesByteForByte)
{
    const auto tested = ResourcesOf(FromUnix(ELV_LAUNCHER_EXE)), shipped = ResourcesOf(FromUnix(ELV_RELEASE_LAUNCHER));
    // Icons, forms, banners, the manifest (24) and the version (16).
    for (const char* kind : {"#3/", "#10/TFM_INSTALLATION/", "#10/TDM_LOCALDATA/", "#2/ELVARINE_BANNER/", "#24/", "#16/"})
        EXPECT_TRUE(std::any_of(tested.begin(), tested.end(), [&](auto& r) { return r.first.rfind(kind, 0) == 0; }))
            << "no " << kind;
    EXPECT_EQ(tested.size(), shipped.size());
    for (const auto& [key, bytes] : tested)
        EXPECT_TRUE(shipped.count(key) && shipped.at(key) == bytes) << key << " differs in the release program";
}

// What Explorer's properties page shows of the shipped program.
TEST(LauncherResources, TheReleaseProgramsVersionNamesCorvelElvarineAndTheLauncher)
{
    const std::string file = FromUnix(ELV_RELEASE_LAUNCHER);
    std::vector<char> info(GetFileVersionInfoSizeA(file.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    const char* const fields[][2] = {{"CompanyName", "Corvel"}, {"ProductName", "Elvarine"},
                                     {"FileDescription", "Elvarine installation medium launcher"},
                                     {"FileVersion", "1.0.0"}};
    for (const auto& [name, expected] : fields) {
        char* value = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
        EXPECT_STREQ(value, expected) << name;
    }
}
#endif
