#include "framework/core/TypeInfo.h"

#include <algorithm>
#include <map>

int TEnumInfo::ValueOf(std::string_view name) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (name == Names[i])
            return static_cast<int>(i);
    return -1;
}

const char* TEnumInfo::NameOf(int64_t value) const
{
    return value >= 0 && value < static_cast<int64_t>(Names.size()) ? Names[static_cast<size_t>(value)] : nullptr;
}

std::optional<int64_t> TIdentMap::ValueOf(std::string_view name) const
{
    for (const auto& [value, ident] : Entries)
        if (name == ident)
            return value;
    return std::nullopt;
}

const char* TIdentMap::NameOf(int64_t value) const
{
    for (const auto& [v, ident] : Entries)
        if (v == value)
            return ident;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other)
            return true;
    return false;
}

const TPropInfo* TClassInfo::FindDeclared(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (p.Name == name)
                return &p;
    return nullptr;
}

const std::vector<const TPropInfo*>& TClassInfo::PublishedProps() const
{
    if (!FPublishedReady) {
        if (Parent)
            FPublished = Parent->PublishedProps();
        auto add = [this](const TPropInfo* p) {
            for (const TPropInfo*& existing : FPublished)
                if (existing->Name == p->Name) {
                    existing = p; // a redeclaration replaces the ancestor's in place
                    return;
                }
            FPublished.push_back(p);
        };
        // A name published here may be an ancestor's property or one this class
        // declares unpublished: machinery that only some classes link (menus,
        // anchors) is declared by those classes and placed among the inherited ones.
        for (const std::string& name : Republished)
            if (const TPropInfo* p = FindDeclared(name))
                add(p);
        for (const TPropInfo& p : Props)
            if (p.Published)
                add(&p);
        FPublishedReady = true;
    }
    return FPublished;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const
{
    for (const TPropInfo* p : PublishedProps())
        if (p->Name == name)
            return p;
    return nullptr;
}

std::optional<TValue> TClassInfo::DefaultOf(const TPropInfo& prop) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const auto& [name, value] : c->DefaultOverrides)
            if (name == prop.Name)
                return value;
    return prop.Default;
}

namespace {
// Component and method names are identifiers, which ignore case wherever they are matched.
bool SameIdentifier(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}
} // namespace

const TFieldInfo* TClassInfo::FindField(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TFieldInfo& f : c->Fields)
            if (SameIdentifier(f.Name, name))
                return &f;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TMethodInfo& m : c->Methods)
            if (SameIdentifier(m.Name, name))
                return &m;
    return nullptr;
}

namespace {
std::map<std::string, const TClassInfo*, std::less<>>& ClassRegistry()
{
    static std::map<std::string, const TClassInfo*, std::less<>> registry;
    return registry;
}
} // namespace

void RegisterClass(const TClassInfo& info) { ClassRegistry()[info.Name] = &info; }

const TClassInfo* FindClass(std::string_view name)
{
    auto& registry = ClassRegistry();
    auto it = registry.find(name);
    return it == registry.end() ? nullptr : it->second;
}
