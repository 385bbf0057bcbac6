#pragma once
#include "framework/core/Component.h"

#include <string>

// "TLabel LA_1", or the class alone for a component without a name: how the form
// reader and writer name a component in their errors.
inline std::string ComponentTitle(const std::string& className, const std::string& name)
{
    return name.empty() ? className : className + " " + name;
}

inline std::string ComponentTitle(const TComponent& component)
{
    return ComponentTitle(component.ClassName(), component.Name());
}
