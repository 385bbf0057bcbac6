#include "framework/system/Clipboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <windows.h>

namespace {

void EmptyTheClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

// Puts data on the clipboard with the raw calls, as another program would.
void PutRaw(UINT format, const void* data, size_t size)
{
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    EXPECT_TRUE(SetClipboardData(format, memory));
    CloseClipboard();
    DestroyWindow(owner);
}

} // namespace

TEST(Clipboard, TextRoundTrip)
{
    TClipboard* clipboard = Clipboard();
    EXPECT_EQ(Clipboard(), clipboard);
    const std::string text = "12 Bordeaux\r\nCh\xE2teau"; // "Château" in the Western code page
    clipboard->SetAsText(text);
    EXPECT_TRUE(clipboard->HasFormat(CF_TEXT));
    EXPECT_EQ(clipboard->AsText(), text);
    // Another reader sees it too.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), text.c_str());
    GlobalUnlock(data);
    CloseClipboard();
}

TEST(Clipboard, TextFromAnotherProgram)
{
    PutRaw(CF_TEXT, "3,14", 5);
    EXPECT_EQ(Clipboard()->AsText(), "3,14");
    const wchar_t wide[] = L"Margaux";
    PutRaw(CF_UNICODETEXT, wide, sizeof wide);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT)); // converted by the system
    EXPECT_EQ(Clipboard()->AsText(), "Margaux");
}

TEST(Clipboard, NoTextReadsAsEmpty)
{
    EmptyTheClipboard();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), "");
    const DWORD number = 7;
    PutRaw(RegisterClipboardFormatA("ElvarineTestFormat"), &number, sizeof number);
    EXPECT_EQ(Clipboard()->AsText(), "");
}
