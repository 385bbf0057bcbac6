#pragma once
// The launcher's local data: is the product installed for this user, and does the
// user read French.
#include "framework/forms/DataModule.h"

#include <windows.h>

class TDM_LocalData : public TDataModule {
    FW_CLASS(TDM_LocalData)
public:
    explicit TDM_LocalData(TComponent* Owner);

    // False when the user's default locale is French, whatever the country.
    bool IsEnglish();
    // True when the key HKEY_CURRENT_USER\Software\Corvel\Elvarine exists and can be read.
    bool IsInstalled();
};

// The language rule on its own: French is primary language 0x0C of the locale.
bool IsEnglishLocale(LCID locale);

extern TDM_LocalData* DM_LocalData;
