#pragma once
// "gallery --preview FILE [--screenshot PNG]": any form resource made of the
// framework's and the components' classes, shown live as its own program would show
// it. Its event handlers, which the previewer lacks, are named once on the standard
// error and left unbound; so are pictures named by resource that are neither the
// previewer's nor a NAME.bmp beside the file. With a screenshot file, the form is saved
// once painted and the previewer ends. A file that cannot be read, or a resource the
// form reader refuses, is reported on the standard error (the reader's message names
// the line and the property) and ends the previewer with exit code 2.
#include <string>

int RunPreview(const std::string& formFile, const std::string& screenshotFile);
