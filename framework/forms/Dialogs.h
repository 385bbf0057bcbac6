#pragma once
#include <string>

// A message for the developer or user, in a box captioned with the application title.
void ShowMessage(const std::string& Text);
