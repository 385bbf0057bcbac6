#include "framework/graphics/Colors.h"

COLORREF ColorToRGB(TColor color)
{
    if (IsSystemColor(color))
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0x00FFFFFFu;
}

const TIdentMap& ColorIdents()
{
    static const TIdentMap map{
        {
            {clBlack, "clBlack"},
            {clMaroon, "clMaroon"},
            {clGreen, "clGreen"},
            {clOlive, "clOlive"},
            {clNavy, "clNavy"},
            {clPurple, "clPurple"},
            {clTeal, "clTeal"},
            {clGray, "clGray"},
            {clSilver, "clSilver"},
            {clRed, "clRed"},
            {clLime, "clLime"},
            {clYellow, "clYellow"},
            {clBlue, "clBlue"},
            {clFuchsia, "clFuchsia"},
            {clAqua, "clAqua"},
            {clWhite, "clWhite"},
            {clScrollBar, "clScrollBar"},
            {clBackground, "clBackground"},
            {clActiveCaption, "clActiveCaption"},
            {clInactiveCaption, "clInactiveCaption"},
            {clMenu, "clMenu"},
            {clWindow, "clWindow"},
            {clWindowFrame, "clWindowFrame"},
            {clMenuText, "clMenuText"},
            {clWindowText, "clWindowText"},
            {clCaptionText, "clCaptionText"},
            {clActiveBorder, "clActiveBorder"},
            {clInactiveBorder, "clInactiveBorder"},
            {clAppWorkSpace, "clAppWorkSpace"},
            {clHighlight, "clHighlight"},
            {clHighlightText, "clHighlightText"},
            {clBtnFace, "clBtnFace"},
            {clBtnShadow, "clBtnShadow"},
            {clGrayText, "clGrayText"},
            {clBtnText, "clBtnText"},
            {clInactiveCaptionText, "clInactiveCaptionText"},
            {clBtnHighlight, "clBtnHighlight"},
            {cl3DDkShadow, "cl3DDkShadow"},
            {cl3DLight, "cl3DLight"},
            {clInfoText, "clInfoText"},
            {clInfoBk, "clInfoBk"},
            {clNone, "clNone"},
            {clDefault, "clDefault"},
        },
        true,
        "TColor",
    };
    return map;
}

const TIdentMap& CharsetIdents()
{
    static const TIdentMap map{{
        {ANSI_CHARSET, "ANSI_CHARSET"},
        {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
        {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
        {MAC_CHARSET, "MAC_CHARSET"},
        {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
        {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
        {JOHAB_CHARSET, "JOHAB_CHARSET"},
        {GB2312_CHARSET, "GB2312_CHARSET"},
        {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
        {GREEK_CHARSET, "GREEK_CHARSET"},
        {TURKISH_CHARSET, "TURKISH_CHARSET"},
        {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
        {HEBREW_CHARSET, "HEBREW_CHARSET"},
        {ARABIC_CHARSET, "ARABIC_CHARSET"},
        {BALTIC_CHARSET, "BALTIC_CHARSET"},
        {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
        {THAI_CHARSET, "THAI_CHARSET"},
        {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
        {OEM_CHARSET, "OEM_CHARSET"},
    }, false, "TFontCharset"};
    return map;
}
