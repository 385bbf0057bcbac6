#pragma once
// How each component is put on a form: the resource properties that wire it and a
// minimal form-resource fragment. docs/COMPONENTS.md prints them under each
// component (gallery --palette), and a test reads every fragment there through the
// form reader, so neither can drift from the code.
#include <map>
#include <string>

// Markdown per component class name.
const std::map<std::string, std::string>& ComponentUsage();
