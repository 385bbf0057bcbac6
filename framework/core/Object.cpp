#include "framework/core/Object.h"

#include "framework/core/Exceptions.h"
#include "framework/core/TypeInfo.h"

const TClassInfo& TObject::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TObject>("TObject", nullptr).Build();
    return info;
}

const TClassInfo& TObject::ClassInfo() const { return StaticClass(); }

const std::string& TObject::ClassName() const { return ClassInfo().Name; }

bool TObject::InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }

FW_BEGIN_CLASS(TPersistent, TObject)
FW_END_CLASS

void TPersistent::Assign(TPersistent* Source)
{
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError(Exception::Fmt("Cannot assign a nil to a %s", ClassName().c_str()));
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    throw EConvertError(Exception::Fmt("Cannot assign a %s to a %s", ClassName().c_str(), Dest->ClassName().c_str()));
}
