#pragma once
// Registry state for tests: a key is saved whole when the snapshot is taken and put
// back exactly (or removed again, if it did not exist) when the snapshot goes, so a
// test may write and delete below it freely.
#include <windows.h>

#include <memory>
#include <string>

class TRegistrySnapshot {
public:
    TRegistrySnapshot(HKEY root, std::string path);
    ~TRegistrySnapshot();
    TRegistrySnapshot(const TRegistrySnapshot&) = delete;
    TRegistrySnapshot& operator=(const TRegistrySnapshot&) = delete;

    struct TKeyContent;

private:
    HKEY FRoot;
    std::string FPath;
    std::unique_ptr<TKeyContent> FSaved; // null: the key did not exist
};

// Plain writes and deletes, straight through the Win32 calls, so that the code under
// test is not also the code that prepares its input. Each raises std::runtime_error
// on failure.
void CreateRegistryKey(HKEY root, const std::string& path);
void DeleteRegistryKey(HKEY root, const std::string& path); // with its subkeys; missing is fine
void WriteRegistryString(HKEY root, const std::string& path, const std::string& name, const std::string& value);
void WriteRegistryDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
void DeleteRegistryValue(HKEY root, const std::string& path, const std::string& name); // missing is fine
