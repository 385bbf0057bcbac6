#include "framework/streaming/FormWriter.h"

#include "framework/core/Collection.h"
#include "framework/core/Exceptions.h"
#include "framework/streaming/ComponentTitle.h"
#include "framework/streaming/PropertyValues.h"

#include <vector>

namespace {
const char* const Indentation = "  ";

// Without a declared default, these kinds are worth writing only when they hold something.
bool IsEmpty(const TValue& value)
{
    if (const auto* s = std::get_if<std::string>(&value))
        return s->empty();
    if (const auto* lines = std::get_if<TLines>(&value))
        return lines->empty();
    if (const auto* bytes = std::get_if<TBytes>(&value))
        return bytes->empty();
    if (const auto* object = std::get_if<TObject*>(&value))
        return *object == nullptr;
    return false;
}

class TFormWriter {
public:
    explicit TFormWriter(const TComponent& root) : FRoot(root) {}

    std::string Write()
    {
        WriteComponent(FRoot, "");
        return std::move(FText);
    }

private:
    void WriteComponent(const TComponent& component, const std::string& indent)
    {
        const std::string& cls = &component == &FRoot && !FRoot.DesignClassName().empty() ? FRoot.DesignClassName()
                                                                                            : component.ClassName();
        FText += indent + ComponentTitle(cls, component.Name()) + " {\n";
        const std::string inner = indent + Indentation;
        WriteProperties(component, component, "", inner);
        std::vector<TComponent*> children;
        component.GetChildren(children, &FRoot);
        for (const TComponent* child : children)
            WriteComponent(*child, inner);
        FText += indent + "}\n";
    }

    void WriteProperties(const TComponent& component, const TObject& object, const std::string& prefix,
                         const std::string& indent)
    {
        for (const TPropInfo* prop : object.ClassInfo().PublishedProps()) {
            if (prop->Stored && !prop->Stored(object))
                continue;
            const std::string path = prefix + prop->Name;
            if (prop->Kind == TPropKind::Object) {
                if (const TObject* nested = std::get<TObject*>(prop->Get(object)))
                    WriteProperties(component, *nested, path + ".", indent);
                continue;
            }
            if (prop->Kind == TPropKind::Collection) {
                WriteCollection(component, dynamic_cast<const TCollection*>(std::get<TObject*>(prop->Get(object))),
                                path, indent);
                continue;
            }
            if (prop->IsReadOnly())
                continue;
            try {
                const std::string value = ValueText(object, *prop, indent);
                if (!value.empty())
                    FText += indent + path + " = " + value + "\n";
            } catch (EWriteError& e) {
                e.SetMessage("cannot write " + path + " of " + ComponentTitle(component) + ": " + e.Message());
                throw;
            }
        }
    }

    void WriteCollection(const TComponent& component, const TCollection* collection, const std::string& path,
                         const std::string& indent)
    {
        if (!collection || collection->Count() == 0)
            return;
        FText += indent + path + " = items [\n";
        const std::string itemIndent = indent + Indentation;
        for (int i = 0; i < collection->Count(); ++i) {
            FText += itemIndent + "{\n";
            WriteProperties(component, *collection->Item(i), "", itemIndent + Indentation);
            FText += itemIndent + "}\n";
        }
        FText += indent + "]\n";
    }

    // The text after "=", or nothing when the property is not to be written.
    std::string ValueText(const TObject& object, const TPropInfo& prop, const std::string& indent) const
    {
        if (prop.Kind == TPropKind::Event)
            return prop.EventMethod(object);
        const TValue value = prop.Get(object);
        const std::optional<TValue> def = object.ClassInfo().DefaultOf(prop);
        if (def ? value == *def : IsEmpty(value))
            return "";
        if (prop.Kind == TPropKind::Component) {
            const TObject* target = std::get<TObject*>(value);
            return target ? ComponentName(target) : "";
        }
        return FormatPropertyValue(prop, value, indent);
    }

    // A reference is written by name, so it must name a component the reader can find again.
    std::string ComponentName(const TObject* target) const
    {
        const auto* component = dynamic_cast<const TComponent*>(target);
        if (!component || component->Name().empty() || (component != &FRoot && component->Owner() != &FRoot))
            throw EWriteError("the component it refers to is no named component of the form");
        return component->Name();
    }

    const TComponent& FRoot;
    std::string FText;
};
} // namespace

std::string WriteComponent(const TComponent& root) { return TFormWriter(root).Write(); }
