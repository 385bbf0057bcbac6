#include "framework/controls/SizeConstraints.h"

#include "framework/controls/Controls.h"
#include "framework/core/Exceptions.h"

FW_BEGIN_CLASS(TSizeConstraints, TPersistent)
    .Integer("MaxHeight", &C::MaxHeight, &C::SetMaxHeight, 0)
    .Integer("MaxWidth", &C::MaxWidth, &C::SetMaxWidth, 0)
    .Integer("MinHeight", &C::MinHeight, &C::SetMinHeight, 0)
    .Integer("MinWidth", &C::MinWidth, &C::SetMinWidth, 0)
FW_END_CLASS

void TSizeConstraints::SetMinWidth(int value) { Store(FMinWidth, value, "MinWidth"); }
void TSizeConstraints::SetMinHeight(int value) { Store(FMinHeight, value, "MinHeight"); }
void TSizeConstraints::SetMaxWidth(int value) { Store(FMaxWidth, value, "MaxWidth"); }
void TSizeConstraints::SetMaxHeight(int value) { Store(FMaxHeight, value, "MaxHeight"); }

void TSizeConstraints::Store(int& field, int value, const char* name)
{
    if (value < 0)
        throw EInvalidOperation(Exception::Fmt("Size constraint %s cannot be negative (%d)", name, value));
    if (value == field)
        return;
    field = value;
    // SetBounds constrains what it is given: the current size, constrained anew.
    FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

void TSizeConstraints::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSizeConstraints*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    FMinWidth = source->FMinWidth;
    FMinHeight = source->FMinHeight;
    FMaxWidth = source->FMaxWidth;
    FMaxHeight = source->FMaxHeight;
    FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

TSizeConstraints* TControl::Constraints() const
{
    if (!FConstraints)
        FConstraints = std::make_unique<TSizeConstraints>(const_cast<TControl*>(this));
    return FConstraints.get();
}
