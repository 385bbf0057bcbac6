#include "app/WD_InstallRegistry.h"

#include "framework/core/Exceptions.h"
#include "framework/system/Registry.h"

#include <memory>

TDM_LocalData* DM_LocalData = nullptr;

FW_BEGIN_CLASS(TDM_LocalData, TDataModule)
FW_END_CLASS

TDM_LocalData::TDM_LocalData(TComponent* Owner) : TDataModule(Owner) { LoadFromResource(); }

bool IsEnglishLocale(LCID locale) { return (locale & 0x3FF) != LANG_FRENCH; }

bool TDM_LocalData::IsEnglish()
{
    try {
        return IsEnglishLocale(GetUserDefaultLCID());
    } catch (const std::exception&) {
        return true;
    }
}

bool TDM_LocalData::IsInstalled()
{
    auto registry = std::make_unique<TRegistry>();
    try {
        registry->SetRootKey(HKEY_CURRENT_USER);
        // A marker that cannot be read is a registry that cannot be read: not installed.
        return registry->OpenKeyReadOnly("Software\\Corvel\\Elvarine");
    } catch (const Exception&) {
        return false;
    }
}
