#pragma once
// Writing a root component and the components nested in it as a form resource
// (see FormReader.h for the format). Properties come in published order, each
// nested object's as dotted paths in its place; values equal to the declared
// default are left out, and so are empty strings, lists, bytes, references and
// events of properties without one. Raises EWriteError, naming the component and
// the property, for a value the format cannot hold.
#include "framework/core/Component.h"

#include <string>

std::string WriteComponent(const TComponent& root);
