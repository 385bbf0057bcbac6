#pragma once
// The registry, one key at a time: a root key (HKEY_CURRENT_USER unless set), at
// most one open key below it, and string values of that key.
//
// Key paths are relative to the open key, or to the root key when none is open; a
// path that starts with '\' is always relative to the root key. Trailing '\' are
// ignored.
#include "framework/core/Object.h"
#include "framework/system/Handles.h"

#include <string>

#include <windows.h>

class TRegistry : public TObject {
    FW_CLASS(TRegistry)
public:
    TRegistry() = default;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key: it belongs to the previous root.
    void SetRootKey(HKEY Value);
    // The rights OpenKey asks for.
    REGSAM Access() const { return FAccess; }
    void SetAccess(REGSAM Value) { FAccess = Value; }

    HKEY CurrentKey() const { return FCurrentKey.Get(); }
    // The open key's path below the root key, without leading or trailing '\'.
    const std::string& CurrentPath() const { return FCurrentPath; }

    // Whether the key exists; neither opens nor closes the current key. A key that
    // exists but may not be read still exists.
    bool KeyExists(const std::string& Key) const;
    // Opens Key with Access (creating it first when CanCreate) and makes it the
    // current key. False, with the current key unchanged, when it cannot.
    bool OpenKey(const std::string& Key, bool CanCreate);
    // Opens Key for reading (KEY_READ); never creates it.
    bool OpenKeyReadOnly(const std::string& Key);
    void CloseKey();
    // Deletes Key with all its subkeys and values.
    bool DeleteKey(const std::string& Key);

    // Values of the current key; the empty name is the key's default value.
    bool ValueExists(const std::string& Name) const;
    // The text of a REG_SZ or REG_EXPAND_SZ value (unexpanded); "" when the value does
    // not exist. ERegistryException for a value of another type or a failed read.
    std::string ReadString(const std::string& Name) const;
    void WriteString(const std::string& Name, const std::string& Value);

private:
    struct TKeyPath {
        HKEY Parent;       // the root key or the current key
        std::string Path;  // relative to Parent
        std::string Full;  // relative to the root key
    };
    TKeyPath Resolve(const std::string& Key) const;
    bool Open(const std::string& Key, REGSAM Rights, bool CanCreate);
    HKEY ValueKey(const std::string& Name) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    REGSAM FAccess = KEY_ALL_ACCESS;
    TRegKey FCurrentKey;
    std::string FCurrentPath;
};
