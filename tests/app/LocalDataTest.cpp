#include "support/RegistrySnapshot.h"

#include "app/WD_InstallRegistry.h"

#include <gtest/gtest.h>

namespace {
const char* const MarkerKey = "Software\\Corvel\\Elvarine";
}

class LocalDataTest : public testing::Test {
protected:
    TRegistrySnapshot User{HKEY_CURRENT_USER, MarkerKey};
    TRegistrySnapshot Machine{HKEY_LOCAL_MACHINE, MarkerKey};
    TDM_LocalData Data{nullptr};
};

TEST_F(LocalDataTest, InstalledMeansTheUsersMarkerKeyExistsWhateverItHolds)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, MarkerKey);
    EXPECT_FALSE(Data.IsInstalled());

    CreateRegistryKey(HKEY_CURRENT_USER, MarkerKey); // empty
    EXPECT_TRUE(Data.IsInstalled());

    WriteRegistryDword(HKEY_CURRENT_USER, MarkerKey, "Version", 3);
    CreateRegistryKey(HKEY_CURRENT_USER, std::string(MarkerKey) + "\\Options");
    EXPECT_TRUE(Data.IsInstalled());

    // Each call asks the registry again.
    DeleteRegistryKey(HKEY_CURRENT_USER, MarkerKey);
    EXPECT_FALSE(Data.IsInstalled());
}

namespace {
// Sets the key's access list: an empty one lets nobody read it, null lets everyone in.
void SetKeyAccessList(const char* path, PACL list)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    RegCloseKey(key);
}
} // namespace

TEST_F(LocalDataTest, AMarkerThatCannotBeReadIsNoMarker)
{
    CreateRegistryKey(HKEY_CURRENT_USER, MarkerKey);
    ACL nobody;
    InitializeAcl(&nobody, sizeof nobody, ACL_REVISION);
    SetKeyAccessList(MarkerKey, &nobody);
    HKEY probe = nullptr;
    const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, MarkerKey, 0, KEY_READ, &probe);
    if (probe)
        RegCloseKey(probe);
    const bool installed = Data.IsInstalled();
    SetKeyAccessList(MarkerKey, nullptr); // before the snapshot puts the key back
    ASSERT_EQ(opened, ERROR_ACCESS_DENIED) << "the key could still be read";
    EXPECT_FALSE(installed);
}

TEST_F(LocalDataTest, AMarkerForTheWholeMachineDoesNotCount)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, MarkerKey);
    CreateRegistryKey(HKEY_LOCAL_MACHINE, MarkerKey);
    EXPECT_FALSE(Data.IsInstalled());
}

TEST_F(LocalDataTest, AParentKeyAloneIsNoMarker)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, MarkerKey);
    CreateRegistryKey(HKEY_CURRENT_USER, "Software\\Corvel\\Elvarine2");
    EXPECT_FALSE(Data.IsInstalled());
    DeleteRegistryKey(HKEY_CURRENT_USER, "Software\\Corvel\\Elvarine2");
}

TEST(LocalDataLanguage, FrenchOfAnyCountryIsTheOnlyOtherLanguage)
{
    for (LCID french : {0x040C, 0x0C0C, 0x080C, 0x100C, 0x140C, 0x000C})
        EXPECT_FALSE(IsEnglishLocale(french)) << std::hex << french;
    for (LCID other : {0x0409, 0x0809, 0x0407, 0x0410, 0x0413, 0x0000, 0x040B})
        EXPECT_TRUE(IsEnglishLocale(other)) << std::hex << other;
    // Only the low ten bits name the language: bits above belong to the country.
    EXPECT_FALSE(IsEnglishLocale(0xFC0C));
    EXPECT_TRUE(IsEnglishLocale(0x040D));
}

// Run again by CTest under French (France, Canada) and German user locales.
TEST(LocalDataLocale, TheLanguageIsTheUsersOwn)
{
    const char* lcAll = getenv("LC_ALL");
    const std::string unixLocale = lcAll ? lcAll : "";
    const bool french = unixLocale.rfind("fr_", 0) == 0;
    EXPECT_EQ((GetUserDefaultLCID() & 0x3FF) == LANG_FRENCH, french) << unixLocale;
    TDM_LocalData data(nullptr);
    EXPECT_EQ(data.IsEnglish(), !french) << unixLocale;
}
