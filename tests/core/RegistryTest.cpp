// The wrapper against keys this test creates with the raw registry calls, under
// HKCU\Software\ElvarineTests\<process id>.

// RegDeleteTreeA is newer than the systems the program targets; the tests run on one
// that has it.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600

#include "framework/core/Exceptions.h"
#include "framework/system/Registry.h"

#include "core/MessageOf.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class Registry : public testing::Test {
protected:
    std::string Base = "Software\\ElvarineTests\\" + std::to_string(GetCurrentProcessId());

    void SetUp() override
    {
        CreateKey("Filled");
        SetValue("Filled", "Colour", REG_SZ, "0,0,255", 8);
        SetValue("Filled", "Empty", REG_SZ, "", 1);
        SetValue("Filled", "Unterminated", REG_SZ, "abc", 3);
        SetValue("Filled", "Expand", REG_EXPAND_SZ, "%PATH%", 7);
        const DWORD number = 12;
        SetValue("Filled", "Number", REG_DWORD, &number, sizeof number);
        const std::string longText(10000, 'w');
        SetValue("Filled", "Long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
        CreateKey("Empty");
        CreateKey("Tree\\Branch\\Leaf");
        SetValue("Tree\\Branch", "Value", REG_SZ, "x", 2);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, Base.c_str()); }

    std::string Path(const std::string& key) const { return Base + "\\" + key; }
    void CreateKey(const std::string& key)
    {
        HKEY h;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Path(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                                  nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(h);
    }
    void SetValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY h;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Path(key).c_str(), 0, KEY_SET_VALUE, &h), ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(h, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(h);
    }
    bool RawKeyExists(const std::string& key) const
    {
        HKEY h;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        RegCloseKey(h);
        return true;
    }

    TRegistry Reg;
};

} // namespace

TEST_F(Registry, KeyExistsWithoutOpening)
{
    EXPECT_EQ(Reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_TRUE(Reg.KeyExists(Path("Filled")));
    EXPECT_TRUE(Reg.KeyExists(Path("Empty")));
    EXPECT_FALSE(Reg.KeyExists(Path("Missing")));
    EXPECT_FALSE(Reg.KeyExists(Path("Missing\\Deeper")));
    EXPECT_EQ(Reg.CurrentKey(), nullptr);

    ASSERT_TRUE(Reg.OpenKey(Path("Tree"), false));
    const HKEY open = Reg.CurrentKey();
    EXPECT_TRUE(Reg.KeyExists("Branch\\Leaf"));           // below the open key
    EXPECT_FALSE(Reg.KeyExists(Path("Filled")));          // not below it
    EXPECT_TRUE(Reg.KeyExists("\\" + Path("Filled")));    // from the root
    EXPECT_EQ(Reg.CurrentKey(), open);
    EXPECT_EQ(Reg.CurrentPath(), Path("Tree"));

    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(Reg.CurrentKey(), nullptr);
    EXPECT_FALSE(Reg.KeyExists(Path("Filled")));
}

TEST_F(Registry, OpenKeyFollowsTheCurrentKey)
{
    EXPECT_FALSE(Reg.OpenKey(Path("New"), false));
    EXPECT_FALSE(RawKeyExists("New"));
    ASSERT_TRUE(Reg.OpenKey(Path("Tree\\"), false));
    ASSERT_TRUE(Reg.OpenKey("Branch", false));
    EXPECT_EQ(Reg.CurrentPath(), Path("Tree\\Branch"));
    EXPECT_EQ(Reg.ReadString("Value"), "x");
    EXPECT_FALSE(Reg.OpenKey("Nowhere", false));
    EXPECT_EQ(Reg.CurrentPath(), Path("Tree\\Branch")); // a failed open changes nothing
    ASSERT_TRUE(Reg.OpenKey("\\" + Path("New\\Sub"), true));
    EXPECT_TRUE(RawKeyExists("New\\Sub"));
    EXPECT_EQ(Reg.CurrentPath(), Path("New\\Sub"));
    Reg.CloseKey();
    EXPECT_EQ(Reg.CurrentKey(), nullptr);
    EXPECT_EQ(Reg.CurrentPath(), "");
}

TEST_F(Registry, OpenKeyReadOnlyNeverCreatesNorWrites)
{
    EXPECT_FALSE(Reg.OpenKeyReadOnly(Path("Missing")));
    EXPECT_FALSE(RawKeyExists("Missing"));
    ASSERT_TRUE(Reg.OpenKeyReadOnly(Path("Filled")));
    EXPECT_EQ(Reg.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));
    EXPECT_THROW(Reg.WriteString("Colour", "1,1,1"), ERegistryException);
    EXPECT_EQ(Reg.ReadString("Colour"), "0,0,255");
}

TEST_F(Registry, ReadStringByValueType)
{
    ASSERT_TRUE(Reg.OpenKeyReadOnly(Path("Filled")));
    EXPECT_EQ(Reg.ReadString("Colour"), "0,0,255");
    EXPECT_EQ(Reg.ReadString("Missing"), "");
    EXPECT_EQ(Reg.ReadString("Empty"), "");
    EXPECT_EQ(Reg.ReadString("Unterminated"), "abc");
    EXPECT_EQ(Reg.ReadString("Expand"), "%PATH%");
    EXPECT_EQ(Reg.ReadString("Long"), std::string(10000, 'w'));
    EXPECT_EQ(MessageOf<ERegistryException>([&] { Reg.ReadString("Number"); }), "Invalid data type for 'Number'");
    EXPECT_TRUE(Reg.ValueExists("Number"));
    EXPECT_FALSE(Reg.ValueExists("Missing"));
    Reg.CloseKey();
    EXPECT_FALSE(Reg.ValueExists("Colour"));
    EXPECT_THROW(Reg.ReadString("Colour"), ERegistryException);
}

TEST_F(Registry, WriteStringReachesTheRegistry)
{
    ASSERT_TRUE(Reg.OpenKey(Path("Empty"), false));
    Reg.WriteString("Anchor Color", "128,128,128");
    char text[32] = {};
    DWORD size = sizeof text, type = 0;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, Path("Empty").c_str(), "Anchor Color", RRF_RT_ANY, &type, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "128,128,128");
}

TEST_F(Registry, DeleteKeyRemovesTheWholeTree)
{
    ASSERT_TRUE(Reg.OpenKey(Path("Tree\\Branch"), false));
    EXPECT_TRUE(Reg.DeleteKey("\\" + Path("Tree")));
    EXPECT_FALSE(RawKeyExists("Tree"));
    EXPECT_EQ(Reg.CurrentKey(), nullptr); // it went with the tree
    EXPECT_FALSE(Reg.DeleteKey(Path("Tree")));
    EXPECT_TRUE(RawKeyExists("Filled"));
}
