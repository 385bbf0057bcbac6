#pragma once
#include "framework/core/Component.h"

#include <string>

// "TLabel LA_1": how the form reader and writer name a component in their errors.
inline std::string ComponentTitle(const TComponent& component)
{
    return component.Name().empty() ? component.ClassName() : component.ClassName() + " " + component.Name();
}
