#pragma once
// Class information: one table per class of its published properties, published
// component fields and published methods, declared once with FW_BEGIN_CLASS. The
// form reader and writer, the designer and the property categories all use it.
#include "framework/core/Events.h"
#include "framework/core/Object.h"

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// <windows.h> defines RegisterClass as a macro (RegisterClassA), which would rename
// the function below in the translation units that see the macro and not in the
// others. Including it here first and dropping the macro keeps the name whole.
#include <windows.h>
#undef RegisterClass

class TComponent;

using TBytes = std::vector<uint8_t>;
using TLines = std::vector<std::string>;
// A property value as the form reader and writer see it. Integers carry enumeration
// ordinals, set bit masks and colours as well.
using TValue = std::variant<std::monostate, int64_t, bool, double, std::string, TLines, TBytes, TObject*>;

enum class TPropKind : uint8_t {
    Integer,   // int64_t; with an identifier map for colours, cursors, character sets
    Bool,      // bool
    Float,     // double
    String,    // std::string
    Enum,      // int64_t ordinal of Enum->Names
    Set,       // int64_t bit mask over Enum->Names
    Object,    // TObject*: a nested persistent (Font, Items); read-only, its own properties are set
    Component, // TObject*: a reference to another component of the form
    Event,     // wired by method name
    Lines,     // TLines
    Bytes,     // TBytes
    Collection, // TObject*: a TCollection, stored as a list of property blocks
};

struct TEnumInfo {
    const char* TypeName;
    std::vector<const char*> Names; // value i is named Names[i]

    int ValueOf(std::string_view name) const; // -1 when unknown
    const char* NameOf(int64_t value) const;  // nullptr when out of range
};

// Names for integer values (clBlack, crArrow, DEFAULT_CHARSET).
struct TIdentMap {
    std::vector<std::pair<int64_t, const char*>> Entries;
    bool WriteHex = false; // values without a name are written in hexadecimal
    const char* TypeName = "Integer"; // the type the designer shows (TColor, TCursor)

    std::optional<int64_t> ValueOf(std::string_view name) const;
    const char* NameOf(int64_t value) const;
};

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    bool Published = true;
    const TEnumInfo* Enum = nullptr;      // Enum, Set
    const TIdentMap* Idents = nullptr;    // Integer
    const TClassInfo* RefClass = nullptr; // Object: the nested object's class; Component: the class required
    std::optional<TValue> Default;        // a value equal to it is not written
    // Integer: the values a form resource may give it (sizes, coordinates), so that
    // an absurd one is refused where it is read rather than exhausting the system.
    std::optional<std::pair<int64_t, int64_t>> Bounds;

    std::function<TValue(const TObject&)> Get;
    std::function<void(TObject&, const TValue&)> Set; // empty for Object properties
    std::function<bool(const TObject&)> Stored;       // empty: stored unless default

    // Events: wire a handler made by TMethodInfo::Bind (an std::any holding the
    // event's std::function); raises std::bad_any_cast when the signatures differ.
    std::function<void(TObject&, const std::string& method, const std::any& handler)> BindEvent;
    std::function<std::string(const TObject&)> EventMethod;

    bool IsReadOnly() const { return !Set && !BindEvent; }
};

// A published component field of a root (a form's LA_Elvarine): the reader stores
// the created component there. Assign returns false when the class does not fit.
struct TFieldInfo {
    std::string Name;
    std::function<bool(TObject& root, TComponent* component)> Assign;
};

// A published method of a root, which event properties are wired to by name.
struct TMethodInfo {
    std::string Name;
    std::function<std::any(TObject& root)> Bind; // an std::any holding std::function<void(Args...)>
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::function<TComponent*(TComponent* owner)> Create; // empty for abstract classes
    std::vector<TPropInfo> Props;                         // declared here, in order
    std::vector<std::string> Republished;                 // ancestors' unpublished properties published here
    std::vector<std::pair<std::string, TValue>> DefaultOverrides; // a different default for an inherited property
    std::vector<TFieldInfo> Fields;
    std::vector<TMethodInfo> Methods;

    bool InheritsFrom(const TClassInfo& other) const;
    // Published properties in published order: the parent's first, then those this
    // class publishes again, then its own.
    const std::vector<const TPropInfo*>& PublishedProps() const;
    const TPropInfo* FindProp(std::string_view name) const; // published only
    // The default of a property for this class: the nearest override, else the declared one.
    std::optional<TValue> DefaultOf(const TPropInfo& prop) const;
    // Fields and methods are found by name ignoring case, as components are.
    const TFieldInfo* FindField(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;

private:
    const TPropInfo* FindDeclared(std::string_view name) const;
    mutable std::vector<const TPropInfo*> FPublished;
    mutable bool FPublishedReady = false;
};

// Classes known by name, for the form reader.
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);

namespace typeinfo_detail {
template <class C, class G>
decltype(auto) Read(const C& obj, G get)
{
    if constexpr (std::is_member_function_pointer_v<G>)
        return (obj.*get)();
    else
        return (obj.*get);
}
template <class C, class S, class V>
void Write(C& obj, S set, V&& value)
{
    if constexpr (std::is_member_function_pointer_v<S>)
        (obj.*set)(std::forward<V>(value));
    else
        obj.*set = std::forward<V>(value);
}
template <class T>
struct MethodTraits;
template <class C, class... Args>
struct MethodTraits<void (C::*)(Args...)> {
    using Handler = std::function<void(Args...)>;
};
} // namespace typeinfo_detail

// Builds the class information of C; see FW_BEGIN_CLASS.
template <class C>
class TClassBuilder {
public:
    TClassBuilder(const char* name, const TClassInfo* parent)
    {
        FInfo.Name = name;
        FInfo.Parent = parent;
        if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
            FInfo.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    }

    template <class G, class S>
    TClassBuilder& Integer(const char* name, G get, S set, std::optional<int64_t> def = std::nullopt,
                           const TIdentMap* idents = nullptr)
    {
        TPropInfo& p = Add(name, TPropKind::Integer);
        p.Idents = idents;
        if (def)
            p.Default = TValue(*def);
        p.Get = [get](const TObject& o) { return TValue(static_cast<int64_t>(typeinfo_detail::Read(Self(o), get))); };
        p.Set = [set](TObject& o, const TValue& v) {
            using T = std::decay_t<decltype(typeinfo_detail::Read(std::declval<const C&>(), std::declval<G>()))>;
            typeinfo_detail::Write(Self(o), set, static_cast<T>(std::get<int64_t>(v)));
        };
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Bool(const char* name, G get, S set, std::optional<bool> def = std::nullopt)
    {
        TPropInfo& p = Add(name, TPropKind::Bool);
        if (def)
            p.Default = TValue(*def);
        p.Get = [get](const TObject& o) { return TValue(static_cast<bool>(typeinfo_detail::Read(Self(o), get))); };
        p.Set = [set](TObject& o, const TValue& v) { typeinfo_detail::Write(Self(o), set, std::get<bool>(v)); };
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Float(const char* name, G get, S set, std::optional<double> def = std::nullopt)
    {
        TPropInfo& p = Add(name, TPropKind::Float);
        if (def)
            p.Default = TValue(*def);
        p.Get = [get](const TObject& o) { return TValue(static_cast<double>(typeinfo_detail::Read(Self(o), get))); };
        p.Set = [set](TObject& o, const TValue& v) { typeinfo_detail::Write(Self(o), set, std::get<double>(v)); };
        return *this;
    }

    template <class G, class S>
    TClassBuilder& String(const char* name, G get, S set, std::optional<std::string> def = std::nullopt)
    {
        TPropInfo& p = Add(name, TPropKind::String);
        if (def)
            p.Default = TValue(*def);
        p.Get = [get](const TObject& o) { return TValue(std::string(typeinfo_detail::Read(Self(o), get))); };
        p.Set = [set](TObject& o, const TValue& v) { typeinfo_detail::Write(Self(o), set, std::get<std::string>(v)); };
        return *this;
    }

    // A string computed on each read: the designer shows it, forms neither store nor set it.
    template <class G>
    TClassBuilder& String(const char* name, G get)
    {
        TPropInfo& p = Add(name, TPropKind::String);
        p.Get = [get](const TObject& o) { return TValue(std::string(typeinfo_detail::Read(Self(o), get))); };
        return *this;
    }

    // An enumeration property; E is the C++ enumeration whose values are 0, 1, ...
    template <class G, class S>
    TClassBuilder& Enum(const char* name, const TEnumInfo& info, G get, S set, std::optional<int64_t> def = std::nullopt)
    {
        TPropInfo& p = Add(name, TPropKind::Enum);
        p.Enum = &info;
        if (def)
            p.Default = TValue(*def);
        p.Get = [get](const TObject& o) { return TValue(static_cast<int64_t>(typeinfo_detail::Read(Self(o), get))); };
        p.Set = [set](TObject& o, const TValue& v) {
            using T = std::decay_t<decltype(typeinfo_detail::Read(std::declval<const C&>(), std::declval<G>()))>;
            typeinfo_detail::Write(Self(o), set, static_cast<T>(std::get<int64_t>(v)));
        };
        return *this;
    }

    // A set property over an enumeration; the C++ value is a TSet<E>.
    template <class G, class S>
    TClassBuilder& Set(const char* name, const TEnumInfo& info, G get, S set, std::optional<int64_t> def = 0)
    {
        TPropInfo& p = Add(name, TPropKind::Set);
        p.Enum = &info;
        if (def)
            p.Default = TValue(*def);
        p.Get = [get](const TObject& o) { return TValue(static_cast<int64_t>(typeinfo_detail::Read(Self(o), get).Bits())); };
        p.Set = [set](TObject& o, const TValue& v) {
            using T = std::decay_t<decltype(typeinfo_detail::Read(std::declval<const C&>(), std::declval<G>()))>;
            typeinfo_detail::Write(Self(o), set, T::FromBits(static_cast<uint32_t>(std::get<int64_t>(v))));
        };
        return *this;
    }

    // A nested persistent object (a font, an item list): read-only, its own
    // properties are read and written through it ("Font.Name").
    template <class G>
    TClassBuilder& Object(const char* name, const TClassInfo& cls, G get)
    {
        TPropInfo& p = Add(name, TPropKind::Object);
        p.RefClass = &cls;
        p.Get = [get](const TObject& o) {
            const auto* nested = typeinfo_detail::Read(Self(o), get);
            return TValue(const_cast<TObject*>(static_cast<const TObject*>(nested)));
        };
        return *this;
    }

    // A collection of items, each with its own published properties.
    template <class G>
    TClassBuilder& Collection(const char* name, G get)
    {
        TPropInfo& p = Add(name, TPropKind::Collection);
        p.Get = [get](const TObject& o) {
            const auto* collection = typeinfo_detail::Read(Self(o), get);
            return TValue(const_cast<TObject*>(static_cast<const TObject*>(collection)));
        };
        return *this;
    }

    // A reference to another component of the form, resolved by name after reading.
    template <class G, class S>
    TClassBuilder& Component(const char* name, const TClassInfo& cls, G get, S set)
    {
        TPropInfo& p = Add(name, TPropKind::Component);
        p.RefClass = &cls;
        p.Get = [get](const TObject& o) { return TValue(static_cast<TObject*>(typeinfo_detail::Read(Self(o), get))); };
        p.Set = [set](TObject& o, const TValue& v) {
            using T = std::decay_t<decltype(typeinfo_detail::Read(std::declval<const C&>(), std::declval<G>()))>;
            typeinfo_detail::Write(Self(o), set, dynamic_cast<T>(std::get<TObject*>(v)));
        };
        return *this;
    }

    template <class... Args>
    TClassBuilder& Event(const char* name, TEvent<Args...> C::*member)
    {
        TPropInfo& p = Add(name, TPropKind::Event);
        p.BindEvent = [member](TObject& o, const std::string& method, const std::any& handler) {
            using Handler = typename TEvent<Args...>::Handler;
            Handler h = handler.has_value() ? std::any_cast<Handler>(handler) : Handler();
            (Self(o).*member).Bind(std::move(h), method);
        };
        p.EventMethod = [member](const TObject& o) { return (Self(o).*member).MethodName(); };
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Lines(const char* name, G get, S set)
    {
        TPropInfo& p = Add(name, TPropKind::Lines);
        p.Get = [get](const TObject& o) { return TValue(TLines(typeinfo_detail::Read(Self(o), get))); };
        p.Set = [set](TObject& o, const TValue& v) { typeinfo_detail::Write(Self(o), set, std::get<TLines>(v)); };
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Bytes(const char* name, G get, S set)
    {
        TPropInfo& p = Add(name, TPropKind::Bytes);
        p.Get = [get](const TObject& o) { return TValue(TBytes(typeinfo_detail::Read(Self(o), get))); };
        p.Set = [set](TObject& o, const TValue& v) { typeinfo_detail::Write(Self(o), set, std::get<TBytes>(v)); };
        return *this;
    }

    // Modifiers of the property declared last.
    TClassBuilder& Unpublished()
    {
        FInfo.Props.back().Published = false;
        return *this;
    }
    TClassBuilder& StoredIf(bool (C::*predicate)() const)
    {
        FInfo.Props.back().Stored = [predicate](const TObject& o) { return (Self(o).*predicate)(); };
        return *this;
    }
    // An inherited property whose initial value differs in this class.
    TClassBuilder& Default(const char* name, TValue value)
    {
        FInfo.DefaultOverrides.emplace_back(name, std::move(value));
        return *this;
    }
    // The values a form resource may give an Integer property, both ends included.
    TClassBuilder& Bounded(int64_t lowest, int64_t highest)
    {
        FInfo.Props.back().Bounds = std::make_pair(lowest, highest);
        return *this;
    }
    TClassBuilder& NotStored()
    {
        FInfo.Props.back().Stored = [](const TObject&) { return false; };
        return *this;
    }

    // Publishes, at this point of the published order, properties that an ancestor
    // or this class declared unpublished.
    TClassBuilder& Publish(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            FInfo.Republished.emplace_back(n);
        return *this;
    }

    // A published component field. Its class is registered by name too: a form's
    // fields name the classes its resource creates, and naming them here links
    // them into the program.
    template <class T>
    TClassBuilder& Field(const char* name, T* C::*member)
    {
        RegisterClass(T::StaticClass());
        FInfo.Fields.push_back({name, [member](TObject& root, TComponent* component) {
                                    T* typed = dynamic_cast<T*>(component);
                                    if (component && !typed)
                                        return false;
                                    static_cast<C&>(root).*member = typed;
                                    return true;
                                }});
        return *this;
    }

    template <class M>
    TClassBuilder& Method(const char* name, M method)
    {
        FInfo.Methods.push_back({name, [method](TObject& root) -> std::any {
                                     using Handler = typename typeinfo_detail::MethodTraits<M>::Handler;
                                     C* self = &static_cast<C&>(root);
                                     return Handler([self, method](auto&&... args) {
                                         (self->*method)(std::forward<decltype(args)>(args)...);
                                     });
                                 }});
        return *this;
    }

    TClassInfo Build() { return std::move(FInfo); }

private:
    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
    static C& Self(TObject& o) { return static_cast<C&>(o); }
    TPropInfo& Add(const char* name, TPropKind kind)
    {
        TPropInfo& p = FInfo.Props.emplace_back();
        p.Name = name;
        p.Kind = kind;
        return p;
    }

    TClassInfo FInfo;
};

// Defines the class information declared by FW_CLASS, registers the class by name,
// and opens the builder chain; close it with FW_END_CLASS. The information is never
// destroyed: objects of the class may outlive the statics of other units (the
// application and its windows go with a static when the program ends, in an order
// no unit controls), and the 32-bit launcher crashed on its way out when the tables
// went first.
//
//   FW_BEGIN_CLASS(TColorButton, TGraphicControl)
//       .Integer("Color", &C::Color, &C::SetColor, 0, &ColorIdents())
//   FW_END_CLASS
#define FW_BEGIN_CLASS(Class, Base)                                                          \
    const TClassInfo& Class::ClassInfo() const { return StaticClass(); }                     \
    [[maybe_unused]] static const bool Class##Registered = (RegisterClass(Class::StaticClass()), true); \
    const TClassInfo& Class::StaticClass()                                                   \
    {                                                                                        \
        using C [[maybe_unused]] = Class;                                                    \
        static const TClassInfo& info = *new TClassInfo(TClassBuilder<Class>(#Class, &Base::StaticClass())

#define FW_END_CLASS  \
        .Build());    \
        return info;  \
    }
