#include "RegistrySnapshot.h"

#include <stdexcept>
#include <vector>

struct TRegistrySnapshot::TKeyContent {
    struct TValue {
        std::string Name;
        DWORD Type;
        std::vector<BYTE> Data;
    };
    std::vector<TValue> Values;
    std::vector<std::pair<std::string, TKeyContent>> Subkeys;
};

namespace {
struct TKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using TOpenKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TKeyCloser>;

void Check(LONG status, const std::string& what)
{
    if (status != ERROR_SUCCESS)
        throw std::runtime_error(what + " failed with error " + std::to_string(status));
}

TOpenKey Open(HKEY root, const std::string& path, REGSAM rights)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, rights, &key) != ERROR_SUCCESS)
        return nullptr;
    return TOpenKey(key);
}

TOpenKey Create(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    Check(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
          "creating " + path);
    return TOpenKey(key);
}

TRegistrySnapshot::TKeyContent Save(HKEY key)
{
    TRegistrySnapshot::TKeyContent content;
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, longestData = 0;
    Check(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values, &longestName,
                           &longestData, nullptr, nullptr),
          "querying a key");
    for (DWORD i = 0; i < values; ++i) {
        std::string name(longestName + 1, '\0');
        std::vector<BYTE> data(longestData + 1);
        DWORD nameLength = static_cast<DWORD>(name.size()), dataLength = static_cast<DWORD>(data.size()), type = 0;
        Check(RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength),
              "reading a value");
        name.resize(nameLength);
        data.resize(dataLength);
        content.Values.push_back({name, type, data});
    }
    for (DWORD i = 0; i < subkeys; ++i) {
        std::string name(longestSubkey + 1, '\0');
        DWORD nameLength = static_cast<DWORD>(name.size());
        Check(RegEnumKeyExA(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr), "listing subkeys");
        name.resize(nameLength);
        if (TOpenKey sub = Open(key, name, KEY_READ))
            content.Subkeys.emplace_back(name, Save(sub.get()));
    }
    return content;
}

void Restore(HKEY key, const TRegistrySnapshot::TKeyContent& content)
{
    for (const auto& v : content.Values)
        Check(RegSetValueExA(key, v.Name.c_str(), 0, v.Type, v.Data.data(), static_cast<DWORD>(v.Data.size())),
              "restoring " + v.Name);
    for (const auto& [name, sub] : content.Subkeys)
        Restore(Create(key, name).get(), sub);
}
} // namespace

TRegistrySnapshot::TRegistrySnapshot(HKEY root, std::string path) : FRoot(root), FPath(std::move(path))
{
    if (TOpenKey key = Open(FRoot, FPath, KEY_READ))
        FSaved = std::make_unique<TKeyContent>(Save(key.get()));
}

TRegistrySnapshot::~TRegistrySnapshot()
{
    try {
        DeleteRegistryKey(FRoot, FPath);
        if (FSaved)
            Restore(Create(FRoot, FPath).get(), *FSaved);
    } catch (const std::exception&) {
        // A destructor cannot fail the test; the next snapshot starts from what is there.
    }
}

void CreateRegistryKey(HKEY root, const std::string& path) { Create(root, path); }

void DeleteRegistryKey(HKEY root, const std::string& path)
{
    TOpenKey key = Open(root, path, KEY_ALL_ACCESS);
    if (!key)
        return;
    for (;;) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DeleteRegistryKey(key.get(), name);
    }
    key.reset();
    Check(RegDeleteKeyA(root, path.c_str()), "deleting " + path);
}

void WriteRegistryString(HKEY root, const std::string& path, const std::string& name, const std::string& value)
{
    Check(RegSetValueExA(Create(root, path).get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1)),
          "writing " + name);
}

void WriteRegistryDword(HKEY root, const std::string& path, const std::string& name, DWORD value)
{
    Check(RegSetValueExA(Create(root, path).get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof value),
          "writing " + name);
}

void DeleteRegistryValue(HKEY root, const std::string& path, const std::string& name)
{
    if (TOpenKey key = Open(root, path, KEY_ALL_ACCESS))
        RegDeleteValueA(key.get(), name.c_str());
}
