// Proves the harness: real windows, a real system combo box and real GDI under Wine.
#include <gtest/gtest.h>

#include <windows.h>

TEST(Smoke, ComboBoxFindsAnItemExactly)
{
    HWND form = CreateWindowExA(0, "STATIC", "smoke", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(form, nullptr);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 0, 150, 120, form,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Bordeaux"));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Bourgogne"));
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("bourgogne")), 1);
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Bour")), CB_ERR);
    DestroyWindow(form);
}

TEST(Smoke, PixelDrawnIntoABitmapReadsBack)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetPixel(dc, 2, 1, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0x12, 0x34, 0x56));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
