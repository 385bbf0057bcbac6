#pragma once
// Reading a form resource into an existing root component.
//
//   TFM_Example FM_Example {
//     Caption = "Elvarine"
//     Font.Style = [fsBold]
//     OnKeyPress = FormKeyPress
//     TLabel LA_1 {
//       Caption = "1-"
//     }
//   }
//
// The header must name the root's own class, except for a root in design mode,
// which may stand for any registered relative of its class: its event properties
// then keep the method names without being bound, and its fields are left alone.
// Nested components are created with the root as owner and the enclosing
// component as parent, and stored in the root's published field of the same name.
// Properties are set in the order of the text; references to components are set
// once the whole text is read; then every component gets Loaded(), the root first.
//
// Every fault raises EReadError naming the resource, the line and the component
// or property. Components created before the fault stay owned by the root, still
// in the loading state; the caller normally destroys the root.
#include "framework/core/Component.h"

#include <functional>
#include <string>

void ReadComponent(const std::string& text, TComponent& root, const std::string& resourceName);
// Reads the RCDATA resource ResourceName of the executable; EResNotFound when missing.
void ReadComponentRes(const std::string& resourceName, TComponent& root);

// Another program's form, read into a plain root of this one (a form previewer): the
// header may name a class this program lacks, or one derived from the root's; the
// root's fields are not asked for. An event handler the root does not publish is left
// unbound and named once to Unbound, with the line that first wires it; every other
// fault raises EReadError as ReadComponent does.
using TUnboundHandler = std::function<void(const std::string& handler, int line)>;
void ReadForeignComponent(const std::string& text, TComponent& root, const std::string& resourceName,
                          const TUnboundHandler& unbound);
