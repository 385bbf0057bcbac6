#pragma once
// The framework's exception family. Every error the framework raises derives from
// Exception and carries the message text a user or developer would see.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const noexcept { return FMessage; }
    void SetMessage(std::string message) { FMessage = std::move(message); }
    const char* what() const noexcept override { return FMessage.c_str(); }

    // printf-style formatting of a message, e.g. Fmt("List index out of bounds (%d)", i).
    static std::string Fmt(const char* format, ...) __attribute__((format(ms_printf, 1, 2)));

private:
    std::string FMessage;
};

#define FW_DECLARE_EXCEPTION(Name, Base) \
    class Name : public Base {           \
    public:                              \
        using Base::Base;                \
    }

FW_DECLARE_EXCEPTION(EConvertError, Exception);       // text to number, invalid Assign
FW_DECLARE_EXCEPTION(EListError, Exception);
FW_DECLARE_EXCEPTION(EStringListError, EListError);   // "List index out of bounds (%d)"
FW_DECLARE_EXCEPTION(EInvalidOperation, Exception);   // "Cannot focus a disabled or invisible window"
FW_DECLARE_EXCEPTION(EComponentError, Exception);     // names, ownership
FW_DECLARE_EXCEPTION(ERegistryException, Exception);
FW_DECLARE_EXCEPTION(EStreamError, Exception);
FW_DECLARE_EXCEPTION(EFOpenError, EStreamError);
FW_DECLARE_EXCEPTION(EReadError, EStreamError);       // form resources and short reads
FW_DECLARE_EXCEPTION(EWriteError, EStreamError);
FW_DECLARE_EXCEPTION(EResNotFound, Exception);
FW_DECLARE_EXCEPTION(EClassNotFound, Exception);
FW_DECLARE_EXCEPTION(EOutOfResources, Exception);     // a window or GDI object could not be made
FW_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
FW_DECLARE_EXCEPTION(EOSError, Exception);            // a failed Win32 call, with its system message

// Raises EOSError for the calling thread's last Win32 error.
[[noreturn]] void RaiseLastOSError(const char* operation);
