#include "framework/core/Streams.h"

#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cstring>

void TStream::ReadBuffer(void* Buffer, int64_t Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError("Stream write error");
}

int64_t TStream::Size()
{
    const int64_t pos = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

std::string TStream::ReadAll()
{
    const int64_t remaining = Size() - Position();
    std::string bytes(static_cast<size_t>(std::max<int64_t>(remaining, 0)), '\0');
    ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

// Shared by the streams that know their size: clamps a seek into [0, size].
static int64_t SeekWithin(int64_t current, int64_t size, int64_t offset, TSeekOrigin origin)
{
    int64_t target = offset;
    if (origin == soCurrent)
        target = current + offset;
    else if (origin == soEnd)
        target = size + offset;
    return std::clamp<int64_t>(target, 0, size);
}

int64_t TMemoryStream::Read(void* Buffer, int64_t Count)
{
    const int64_t n = std::clamp<int64_t>(static_cast<int64_t>(FData.size()) - FPos, 0, std::max<int64_t>(Count, 0));
    std::memcpy(Buffer, FData.data() + FPos, static_cast<size_t>(n));
    FPos += n;
    return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count)
{
    if (Count <= 0)
        return 0;
    const size_t end = static_cast<size_t>(FPos + Count);
    if (end > FData.size())
        FData.resize(end);
    std::memcpy(FData.data() + FPos, Buffer, static_cast<size_t>(Count));
    FPos += Count;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    FPos = SeekWithin(FPos, static_cast<int64_t>(FData.size()), Offset, Origin);
    return FPos;
}

TFileStream::TFileStream(const std::string& FileName, TFileMode Mode)
{
    if (Mode == fmCreate)
        FHandle = CreateFileA(FileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    else
        FHandle = CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE) {
        try {
            RaiseLastOSError("Opening the file");
        } catch (const EOSError& e) {
            throw EFOpenError(Exception::Fmt("Cannot open file \"%s\". %s", FileName.c_str(), e.Message().c_str()));
        }
    }
}

TFileStream::~TFileStream()
{
    if (FHandle != INVALID_HANDLE_VALUE)
        CloseHandle(FHandle);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count)
{
    DWORD done = 0;
    if (Count <= 0 || !ReadFile(FHandle, Buffer, static_cast<DWORD>(std::min<int64_t>(Count, MAXDWORD)), &done, nullptr))
        return 0;
    return done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count)
{
    DWORD done = 0;
    if (Count <= 0 || !WriteFile(FHandle, Buffer, static_cast<DWORD>(std::min<int64_t>(Count, MAXDWORD)), &done, nullptr))
        return 0;
    return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    LARGE_INTEGER distance, result;
    distance.QuadPart = Offset;
    const DWORD method = Origin == soBeginning ? FILE_BEGIN : Origin == soCurrent ? FILE_CURRENT : FILE_END;
    if (SetFilePointerEx(FHandle, distance, &result, method))
        return result.QuadPart;
    // Like the other streams, a seek before the start stops at the start: a
    // position of -1 would turn every later size computation into garbage.
    distance.QuadPart = 0;
    if (GetLastError() == ERROR_NEGATIVE_SEEK && SetFilePointerEx(FHandle, distance, &result, FILE_BEGIN))
        return 0;
    RaiseLastOSError("Seeking in the file");
}

bool TResourceStream::Exists(HINSTANCE Instance, const std::string& Name, const char* Type)
{
    return FindResourceA(Instance, Name.c_str(), Type) != nullptr;
}

TResourceStream::TResourceStream(HINSTANCE Instance, const std::string& Name, const char* Type)
{
    HRSRC info = FindResourceA(Instance, Name.c_str(), Type);
    HGLOBAL data = info ? LoadResource(Instance, info) : nullptr;
    if (!data)
        throw EResNotFound(Exception::Fmt("Resource %s not found", Name.c_str()));
    // Resources live as long as the module; they need no release.
    FData = static_cast<const char*>(LockResource(data));
    FSize = SizeofResource(Instance, info);
}

int64_t TResourceStream::Read(void* Buffer, int64_t Count)
{
    const int64_t n = std::clamp<int64_t>(FSize - FPos, 0, std::max<int64_t>(Count, 0));
    std::memcpy(Buffer, FData + FPos, static_cast<size_t>(n));
    FPos += n;
    return n;
}

int64_t TResourceStream::Write(const void*, int64_t)
{
    throw EStreamError("Cannot write to a resource stream");
}

int64_t TResourceStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    FPos = SeekWithin(FPos, FSize, Offset, Origin);
    return FPos;
}
