#pragma once
// Root of the class hierarchy: every class knows its class information (its name,
// its parent's, its published properties), which the form resources and the
// designer read.
#include "framework/core/ObjectCounters.h"

#include <string>

struct TClassInfo;

class TObject {
public:
    // A test build counts the objects alive (ObjectCounters.h); copies are objects too.
    TObject() noexcept { CountMade(TCountedKind::Objects); }
    TObject(const TObject&) noexcept { CountMade(TCountedKind::Objects); }
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() { CountReleased(TCountedKind::Objects); }
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const;
    const std::string& ClassName() const;
    bool InheritsFrom(const TClassInfo& cls) const;
};

// An object that can copy itself from another of a compatible class.
class TPersistent : public TObject {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    // Copies Source into this object; raises EConvertError "Cannot assign a X to a Y"
    // when neither class knows how.
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

// Declares the class information of a class; pair it with FW_BEGIN_CLASS in the source.
#define FW_CLASS(Class)                    \
public:                                    \
    static const TClassInfo& StaticClass(); \
    const TClassInfo& ClassInfo() const override;
