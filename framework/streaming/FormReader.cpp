#include "framework/streaming/FormReader.h"

#include "framework/core/Collection.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/streaming/ComponentTitle.h"
#include "framework/streaming/FormLexer.h"
#include "framework/streaming/PropertyValues.h"

#include <algorithm>
#include <any>
#include <set>
#include <typeinfo>
#include <vector>

#include <windows.h>

namespace {
// How deep components may nest in a resource. Windows itself refuses child windows
// nested much deeper (about 50 levels), and every level costs the reader stack.
constexpr int MaxNesting = 32;

bool SameName(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }
struct TNameLess {
    bool operator()(const std::string& a, const std::string& b) const { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }
};

class TFormReader {
public:
    TFormReader(const std::string& text, TComponent& root, const std::string& resourceName,
                const TUnboundHandler* unbound = nullptr)
        : FLexer(text, resourceName), FRoot(root), FDesigning(root.IsDesigning()), FUnbound(unbound)
    {
    }

    void Read()
    {
        FRoot.BeginLoading();
        ReadRoot();
        ResolveReferences();
        CheckFields();
        FRoot.Loaded();
        for (TComponent* component : FCreated)
            component->Loaded();
    }

private:
    // A property reached by a dotted path, on the object that holds it.
    struct TTarget {
        TObject* Object;
        const TPropInfo* Prop;
    };
    // A component reference, set once every component of the text exists.
    struct TReference {
        TTarget Target;
        std::string Path;
        std::string ComponentName;
        std::string Holder; // the title of the component whose block holds it
        int Line;
    };

    void ReadRoot()
    {
        const TFormToken cls = FLexer.Next();
        if (cls.Kind != TTokenKind::Identifier)
            FLexer.Fail(cls.Line, "expected a class name, found " + cls.Describe());
        const std::string name = ReadNameAndBrace(cls);
        FMethodClass = RootClass(cls);
        if (FDesigning)
            FRoot.SetDesignClassName(cls.Text);
        Apply(cls.Line, "cannot name the root " + name, [&] { FRoot.SetName(name); });
        ReadBody(FRoot);
        FEndLine = FLexer.Peek().Line;
        const TFormToken rest = FLexer.Next();
        if (rest.Kind != TTokenKind::End)
            FLexer.Fail(rest.Line, "unexpected " + rest.Describe() + " after the root component");
    }

    // The class whose published methods the events are wired to.
    const TClassInfo* RootClass(const TFormToken& cls)
    {
        const TClassInfo& own = FRoot.ClassInfo();
        if (FUnbound) {
            // Another program's form: its own class is unknown here, or one of the root's kind.
            const TClassInfo* named = FindClass(cls.Text);
            if (named && !named->InheritsFrom(own))
                FLexer.Fail(cls.Line, "class \"" + cls.Text + "\" does not match the root's class " + own.Name);
            return &own;
        }
        if (!FDesigning) {
            if (cls.Text != own.Name)
                FLexer.Fail(cls.Line, "class \"" + cls.Text + "\" does not match the root's class " + own.Name);
            return &own;
        }
        const TClassInfo* named = FindClass(cls.Text);
        if (!named)
            FLexer.Fail(cls.Line, "class \"" + cls.Text + "\" not found");
        if (!named->InheritsFrom(own) && !own.InheritsFrom(*named))
            FLexer.Fail(cls.Line, "class \"" + cls.Text + "\" does not match the root's class " + own.Name);
        return named;
    }

    // The rest of a component's header: its name, which may be left out, and the opening brace.
    std::string ReadNameAndBrace(const TFormToken& cls)
    {
        const std::string name = FLexer.Peek().Kind == TTokenKind::Identifier ? FLexer.Next().Text : std::string();
        FLexer.Expect('{', "after " + ComponentTitle(cls.Text, name));
        return name;
    }

    // The properties and nested components of Component, up to its closing brace.
    void ReadBody(TComponent& component)
    {
        for (;;) {
            const TFormToken first = FLexer.Next();
            if (first.Is('}'))
                return;
            if (first.Kind == TTokenKind::End)
                FLexer.Fail(first.Line, "expected \"}\" to close " + ComponentTitle(component) + ", found end of text");
            if (first.Kind != TTokenKind::Identifier)
                FLexer.Fail(first.Line, "unexpected " + first.Describe() + " in " + ComponentTitle(component));
            const TFormToken& next = FLexer.Peek();
            if (next.Is('=') || next.Is('.'))
                ReadProperty(first, component);
            else if (next.Kind == TTokenKind::Identifier || next.Is('{'))
                ReadChild(first, component);
            else
                FLexer.Fail(next.Line, "unexpected " + next.Describe() + " after \"" + first.Text + "\" in " +
                                           ComponentTitle(component));
        }
    }

    void ReadChild(const TFormToken& cls, TComponent& parent)
    {
        const std::string name = ReadNameAndBrace(cls);
        if (FDepth == MaxNesting)
            FLexer.Fail(cls.Line, ComponentTitle(cls.Text, name) + " is nested deeper than " +
                                      std::to_string(MaxNesting) + " components");
        const TClassInfo* info = FindClass(cls.Text);
        if (!info)
            FLexer.Fail(cls.Line, "class \"" + cls.Text + "\" not found");
        if (!info->Create)
            FLexer.Fail(cls.Line, "class \"" + cls.Text + "\" cannot be created");
        if (!name.empty() && (FRoot.FindComponent(name) || SameName(FRoot.Name(), name)))
            FLexer.Fail(cls.Line, "a component named " + name + " already exists");

        const std::string title = ComponentTitle(cls.Text, name);
        TComponent* child = nullptr;
        Apply(cls.Line, "cannot create " + title, [&] { child = info->Create(&FRoot); });
        FCreated.push_back(child);
        child->BeginLoading();
        Apply(cls.Line, "cannot name " + title, [&] { child->SetName(name); });
        Apply(cls.Line, "cannot place " + title + " in " + ComponentTitle(parent),
              [&] { child->SetParentComponent(&parent); });
        if (!FDesigning && !name.empty())
            if (const TFieldInfo* field = FRoot.ClassInfo().FindField(name)) {
                if (!field->Assign(FRoot, child))
                    FLexer.Fail(cls.Line, "the field " + field->Name + " of " + FRoot.ClassName() +
                                              " cannot hold a " + cls.Text);
                FAssigned.push_back(field);
            }
        ++FDepth;
        ReadBody(*child);
        --FDepth;
    }

    // Every published component field of the root must have been given its
    // component: code that uses the form relies on each of them.
    void CheckFields()
    {
        if (FDesigning || FUnbound)
            return;
        for (const TClassInfo* c = &FRoot.ClassInfo(); c; c = c->Parent)
            for (const TFieldInfo& field : c->Fields)
                if (std::find(FAssigned.begin(), FAssigned.end(), &field) == FAssigned.end())
                    FLexer.Fail(FEndLine, "no component for the field " + field.Name + " of " + FRoot.ClassName());
    }

    // A property line of Component's block; Object is the component itself or, inside
    // a collection, the item being read.
    void ReadProperty(const TFormToken& first, TComponent& component, TObject* object = nullptr,
                      const std::string& prefix = "")
    {
        std::string path = first.Text;
        while (FLexer.Peek().Is('.')) {
            FLexer.Next();
            const TFormToken part = FLexer.Next();
            if (part.Kind != TTokenKind::Identifier)
                FLexer.Fail(part.Line, "expected a property name after \"" + path + ".\", found " + part.Describe());
            path += "." + part.Text;
        }
        FLexer.Expect('=', "after " + path);
        const TTarget target = Resolve(object ? *object : component, path, first.Line, component, prefix);
        const TPropInfo& prop = *target.Prop;
        path = prefix + path;
        if (prop.Kind == TPropKind::Collection) {
            ReadCollection(component, *target.Object, prop, path);
            return;
        }
        if (prop.IsReadOnly())
            FLexer.Fail(first.Line, "property \"" + path + "\" of " + ComponentTitle(component) + " is read-only");

        if (prop.Kind == TPropKind::Event || prop.Kind == TPropKind::Component) {
            const TFormToken name = FLexer.Next();
            if (name.Kind != TTokenKind::Identifier)
                FLexer.Fail(name.Line, "invalid value " + name.Describe() + " for " + PropertyTypeName(prop) +
                                           " property " + path);
            if (prop.Kind == TPropKind::Event)
                WireEvent(target, path, name);
            else
                FReferences.push_back({target, path, name.Text, ComponentTitle(component), name.Line});
            return;
        }
        const TValue value = ReadPropertyValue(FLexer, prop, path);
        Apply(first.Line, "cannot set " + path + " of " + ComponentTitle(component),
              [&] { prop.Set(*target.Object, value); });
    }

    // "Panels = items [ { Width = 312 } { ... } ]": the collection is emptied, then
    // one item is added and read per block.
    void ReadCollection(TComponent& component, TObject& holder, const TPropInfo& prop, const std::string& path)
    {
        auto* collection = dynamic_cast<TCollection*>(std::get<TObject*>(prop.Get(holder)));
        const TFormToken keyword = FLexer.Next();
        if (!collection || !keyword.IsIdentifier("items"))
            FLexer.Fail(keyword.Line, "invalid value " + keyword.Describe() + " for collection property " + path);
        FLexer.Expect('[', "after items");
        collection->BeginUpdate();
        collection->Clear();
        for (int index = 0;; ++index) {
            const TFormToken open = FLexer.Next();
            if (open.Is(']'))
                break;
            if (!open.Is('{'))
                FLexer.Fail(open.Line, "expected \"{\" or \"]\" in " + path + ", found " + open.Describe());
            TCollectionItem* item = collection->Add();
            const std::string prefix = path + "[" + std::to_string(index) + "].";
            for (;;) {
                const TFormToken first = FLexer.Next();
                if (first.Is('}'))
                    break;
                if (first.Kind != TTokenKind::Identifier)
                    FLexer.Fail(first.Line, "unexpected " + first.Describe() + " in " + prefix.substr(0, prefix.size() - 1));
                ReadProperty(first, component, item, prefix);
            }
        }
        collection->EndUpdate();
    }

    // Follows "Font.Style" through the nested objects of Component.
    TTarget Resolve(TObject& holder, const std::string& path, int line, TComponent& component,
                    const std::string& prefix)
    {
        TObject* object = &holder;
        size_t start = 0;
        for (;;) {
            const size_t dot = path.find('.', start);
            const TPropInfo* prop = object->ClassInfo().FindProp(path.substr(start, dot - start));
            if (!prop || (dot != std::string::npos && prop->Kind != TPropKind::Object))
                FLexer.Fail(line, "unknown property \"" + prefix + path + "\" of " + ComponentTitle(component));
            if (dot == std::string::npos)
                return {object, prop};
            object = std::get<TObject*>(prop->Get(*object));
            if (!object)
                FLexer.Fail(line, "property \"" + prefix + path.substr(0, dot) + "\" of " + ComponentTitle(component) +
                                      " is not set");
            start = dot + 1;
        }
    }

    void WireEvent(const TTarget& target, const std::string& path, const TFormToken& method)
    {
        const TMethodInfo* info = FMethodClass->FindMethod(method.Text);
        if (!info && FUnbound) {
            if (FReported.insert(method.Text).second)
                (*FUnbound)(method.Text, method.Line);
            return;
        }
        if (!info)
            FLexer.Fail(method.Line, "unknown event handler \"" + method.Text + "\" for " + path);
        // A root in the designer has no handlers to call: the name alone is kept.
        const std::any handler = FDesigning ? std::any() : info->Bind(FRoot);
        try {
            target.Prop->BindEvent(*target.Object, method.Text, handler);
        } catch (const std::bad_any_cast&) {
            FLexer.Fail(method.Line, "incompatible event handler \"" + method.Text + "\" for " + path);
        }
    }

    void ResolveReferences()
    {
        for (const TReference& ref : FReferences) {
            TComponent* found =
                SameName(ref.ComponentName, FRoot.Name()) ? &FRoot : FRoot.FindComponent(ref.ComponentName);
            if (!found)
                FLexer.Fail(ref.Line, "unknown component \"" + ref.ComponentName + "\" for " + ref.Path);
            const TPropInfo& prop = *ref.Target.Prop;
            if (prop.RefClass && !found->InheritsFrom(*prop.RefClass))
                FLexer.Fail(ref.Line, "invalid value \"" + ref.ComponentName + "\" for " + PropertyTypeName(prop) +
                                          " property " + ref.Path);
            Apply(ref.Line, "cannot set " + ref.Path + " of " + ref.Holder,
                  [&] { prop.Set(*ref.Target.Object, TValue(static_cast<TObject*>(found))); });
        }
    }

    // Runs a step that calls into a component, so that its own error reaches the
    // caller with the place in the resource that caused it.
    template <class F>
    void Apply(int line, const std::string& what, F&& step)
    {
        try {
            step();
        } catch (const std::exception& e) {
            FLexer.Fail(line, what + ": " + e.what());
        }
    }

    TFormLexer FLexer;
    TComponent& FRoot;
    const bool FDesigning;
    const TUnboundHandler* FUnbound;
    std::set<std::string, TNameLess> FReported; // handler names match ignoring case
    const TClassInfo* FMethodClass = nullptr;
    std::vector<TComponent*> FCreated;
    std::vector<const TFieldInfo*> FAssigned;
    int FDepth = 0;
    int FEndLine = 1;
    std::vector<TReference> FReferences;
};
} // namespace

void ReadComponent(const std::string& text, TComponent& root, const std::string& resourceName)
{
    TFormReader(text, root, resourceName).Read();
}

void ReadForeignComponent(const std::string& text, TComponent& root, const std::string& resourceName,
                          const TUnboundHandler& unbound)
{
    TFormReader(text, root, resourceName, &unbound).Read();
}

void ReadComponentRes(const std::string& resourceName, TComponent& root)
{
    TResourceStream stream(GetModuleHandleA(nullptr), resourceName);
    ReadComponent(stream.ReadAll(), root, resourceName);
}
