#pragma once
// Forms read from a resource text written in the test, and their components found by
// name with the class the test expects.
#include "framework/core/Component.h"
#include "framework/forms/Form.h"
#include "framework/streaming/FormReader.h"

#include <memory>
#include <stdexcept>
#include <string>

inline std::unique_ptr<TForm> ReadForm(const std::string& text, const char* resourceName)
{
    auto form = std::make_unique<TForm>(nullptr);
    ReadComponent(text, *form, resourceName);
    return form;
}

template <class T>
T& Find(const TComponent& root, const char* name)
{
    auto* found = dynamic_cast<T*>(root.FindComponent(name));
    if (!found)
        throw std::runtime_error(std::string("no ") + name);
    return *found;
}
