#include "framework/system/Registry.h"

#include "framework/core/Exceptions.h"
#include "framework/core/TypeInfo.h"
#include "framework/text/SysUtils.h"

#include <algorithm>

FW_BEGIN_CLASS(TRegistry, TObject)
FW_END_CLASS

namespace {

std::string WithoutTrailingBackslashes(std::string path)
{
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

// Registry functions return their error instead of setting the thread's last one.
[[noreturn]] void RaiseRegistryError(LONG code, const std::string& what)
{
    SetLastError(static_cast<DWORD>(code));
    try {
        RaiseLastOSError("The registry call");
    } catch (const EOSError& e) {
        throw ERegistryException(what + ". " + e.Message());
    }
}

[[noreturn]] void RaiseReadError(LONG code, const std::string& name, const std::string& keyPath)
{
    RaiseRegistryError(code, Exception::Fmt("Cannot read the value '%s' of the registry key '%s'", name.c_str(),
                                            keyPath.c_str()));
}

enum class TQuery { Missing, Done, TooSmall };

// Reads a string value's size, and its bytes when data is given; raises for a
// failure other than a missing value or a small buffer, and for a value of a type
// that holds no text.
TQuery QueryString(HKEY key, const std::string& name, const std::string& keyPath, BYTE* data, DWORD& size)
{
    DWORD type = 0;
    const LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, data, &size);
    if (rc == ERROR_FILE_NOT_FOUND)
        return TQuery::Missing;
    if (rc == ERROR_MORE_DATA)
        return TQuery::TooSmall;
    if (rc != ERROR_SUCCESS)
        RaiseReadError(rc, name, keyPath);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(Exception::Fmt("Invalid data type for '%s'", name.c_str()));
    return TQuery::Done;
}

// Depth first: a key with subkeys cannot be deleted, and RegDeleteTreeA is too new
// for the systems the program runs on.
bool DeleteTree(HKEY parent, const std::string& path)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return false;
    TRegKey key(raw);
    for (;;) {
        DWORD longestName = 0;
        if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, &longestName, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        std::string name(longestName + 1, '\0');
        DWORD length = longestName + 1;
        // Always the first subkey: deleting it renumbers the others.
        const LONG rc = RegEnumKeyExA(key.Get(), 0, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS)
            return false;
        name.resize(length);
        if (!DeleteTree(key.Get(), name))
            return false;
    }
    key.Reset();
    return RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

} // namespace

TRegistry::TKeyPath TRegistry::Resolve(const std::string& Key) const
{
    std::string path = WithoutTrailingBackslashes(Key);
    if (!path.empty() && path.front() == '\\') {
        path.erase(0, path.find_first_not_of('\\'));
        return {FRootKey, path, path};
    }
    if (!FCurrentKey)
        return {FRootKey, path, path};
    std::string full = FCurrentPath;
    if (!full.empty() && !path.empty())
        full += '\\';
    return {FCurrentKey.Get(), path, full + path};
}

void TRegistry::SetRootKey(HKEY Value)
{
    CloseKey();
    FRootKey = Value;
}

bool TRegistry::KeyExists(const std::string& Key) const
{
    const TKeyPath where = Resolve(Key);
    // Keep the caller's choice of registry view on 64-bit systems.
    const REGSAM access = KEY_READ | (FAccess & (KEY_WOW64_32KEY | KEY_WOW64_64KEY));
    HKEY raw = nullptr;
    const LONG rc = RegOpenKeyExA(where.Parent, where.Path.c_str(), 0, access, &raw);
    if (rc == ERROR_SUCCESS) {
        TRegKey probe(raw);
        return true;
    }
    return rc == ERROR_ACCESS_DENIED;
}

bool TRegistry::Open(const std::string& Key, REGSAM Rights, bool CanCreate)
{
    const TKeyPath where = Resolve(Key);
    HKEY raw = nullptr;
    const LONG rc = CanCreate ? RegCreateKeyExA(where.Parent, where.Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                Rights, nullptr, &raw, nullptr)
                              : RegOpenKeyExA(where.Parent, where.Path.c_str(), 0, Rights, &raw);
    if (rc != ERROR_SUCCESS)
        return false;
    // Only now is the previous key closed: the new one may have been opened below it.
    FCurrentKey.Reset(raw);
    FCurrentPath = where.Full;
    return true;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) { return Open(Key, FAccess, CanCreate); }

bool TRegistry::OpenKeyReadOnly(const std::string& Key)
{
    return Open(Key, KEY_READ | (FAccess & (KEY_WOW64_32KEY | KEY_WOW64_64KEY)), false);
}

void TRegistry::CloseKey()
{
    FCurrentKey.Reset();
    FCurrentPath.clear();
}

bool TRegistry::DeleteKey(const std::string& Key)
{
    const TKeyPath where = Resolve(Key);
    if (where.Path.empty())
        return false;
    // A handle to a deleted key is useless: let go of it if it goes with the tree.
    const bool currentGoes = FCurrentKey && (SameText(FCurrentPath, where.Full) ||
                                             SameText(FCurrentPath.substr(0, where.Full.size() + 1), where.Full + "\\"));
    if (currentGoes)
        CloseKey();
    return DeleteTree(where.Parent, where.Path);
}

HKEY TRegistry::ValueKey(const std::string& Name) const
{
    if (!FCurrentKey)
        throw ERegistryException(Exception::Fmt("No registry key is open to access the value '%s'", Name.c_str()));
    return FCurrentKey.Get();
}

bool TRegistry::ValueExists(const std::string& Name) const
{
    return FCurrentKey &&
           RegQueryValueExA(FCurrentKey.Get(), Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& Name) const
{
    const HKEY key = ValueKey(Name);
    // Another process may enlarge the value between asking its size and reading it.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD size = 0;
        if (QueryString(key, Name, FCurrentPath, nullptr, size) == TQuery::Missing)
            return std::string();
        // One byte more than asked: a value stored without its terminator still ends.
        std::string text(static_cast<size_t>(size) + 1, '\0');
        DWORD got = size + 1;
        const TQuery read = QueryString(key, Name, FCurrentPath, reinterpret_cast<BYTE*>(text.data()), got);
        if (read == TQuery::Missing)
            return std::string();
        if (read == TQuery::TooSmall)
            continue;
        text.resize(std::min<size_t>(got, text.size()));
        const size_t terminator = text.find('\0');
        if (terminator != std::string::npos)
            text.resize(terminator);
        return text;
    }
    RaiseReadError(ERROR_MORE_DATA, Name, FCurrentPath);
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value)
{
    const HKEY key = ValueKey(Name);
    const LONG rc = RegSetValueExA(key, Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                                   static_cast<DWORD>(Value.size() + 1));
    if (rc != ERROR_SUCCESS)
        RaiseRegistryError(rc, Exception::Fmt("Cannot write the value '%s' of the registry key '%s'", Name.c_str(),
                                              FCurrentPath.c_str()));
}
