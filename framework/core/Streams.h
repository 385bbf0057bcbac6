#pragma once
// Byte streams: in memory, on a file, or over a resource of the executable.
#include "framework/core/Object.h"

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    // Raise EReadError / EWriteError when fewer bytes than asked move.
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
    int64_t Size();
    // The bytes from the current position to the end.
    std::string ReadAll();
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string Bytes) : FData(std::move(Bytes)) {}
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    const std::string& Data() const { return FData; }

private:
    std::string FData;
    int64_t FPos = 0;
};

enum TFileMode { fmOpenRead, fmCreate };

// A file opened with CreateFileA; EFOpenError names the file when it cannot be opened.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& FileName, TFileMode Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;

private:
    HANDLE FHandle = INVALID_HANDLE_VALUE;
};

// A read-only view of a resource of a module (RCDATA by default); EResNotFound
// when it does not exist.
class TResourceStream : public TStream {
public:
    TResourceStream(HINSTANCE Instance, const std::string& Name, const char* Type = MAKEINTRESOURCEA(10));
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override; // raises EStreamError
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    const char* Memory() const { return FData; }

    static bool Exists(HINSTANCE Instance, const std::string& Name, const char* Type = MAKEINTRESOURCEA(10));

private:
    const char* FData = nullptr;
    int64_t FSize = 0;
    int64_t FPos = 0;
};
