#include "framework/designer/Registration.h"

#include "framework/core/Exceptions.h"

#include <algorithm>

namespace {
auto Named(const std::string& page)
{
    return [&page](const auto& entry) { return entry.first == page; };
}
} // namespace

void TDesignerRegistry::RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes)
{
    if (page.empty())
        throw EComponentError("A palette page needs a name");
    if (std::find(classes.begin(), classes.end(), nullptr) != classes.end())
        throw EComponentError(Exception::Fmt("A class registered on page %s is missing", page.c_str()));
    auto it = std::find_if(FPages.begin(), FPages.end(), Named(page));
    if (it == FPages.end())
        it = FPages.insert(FPages.end(), {page, {}});
    for (const TClassInfo* cls : classes) {
        RegisterClass(*cls);
        if (std::find(it->second.begin(), it->second.end(), cls) == it->second.end())
            it->second.push_back(cls);
    }
}

void TDesignerRegistry::RegisterPropertyInCategory(const TPropertyCategory& category, const TClassInfo& cls,
                                                   const std::string& propName)
{
    if (!cls.FindProp(propName))
        throw EComponentError(
            Exception::Fmt("%s has no published property %s", cls.Name.c_str(), propName.c_str()));
    FCategories[{&cls, propName}] = category.Name();
}

std::vector<std::string> TDesignerRegistry::PalettePages() const
{
    std::vector<std::string> pages;
    for (const auto& page : FPages)
        pages.push_back(page.first);
    return pages;
}

std::vector<const TClassInfo*> TDesignerRegistry::ClassesOnPage(const std::string& page) const
{
    auto it = std::find_if(FPages.begin(), FPages.end(), Named(page));
    return it == FPages.end() ? std::vector<const TClassInfo*>() : it->second;
}

std::optional<std::string> TDesignerRegistry::PropertyCategory(const TClassInfo& cls, const std::string& propName) const
{
    for (const TClassInfo* c = &cls; c; c = c->Parent) {
        auto it = FCategories.find({c, propName});
        if (it != FCategories.end())
            return it->second;
    }
    return std::nullopt;
}

void TDesignerRegistry::Clear()
{
    FPages.clear();
    FCategories.clear();
}

TDesignerRegistry& DesignerRegistry()
{
    static TDesignerRegistry registry;
    return registry;
}

void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes)
{
    DesignerRegistry().RegisterComponents(page, classes);
}

void RegisterPropertyInCategory(const TPropertyCategory& category, const TClassInfo& cls, const std::string& propName)
{
    DesignerRegistry().RegisterPropertyInCategory(category, cls, propName);
}

std::vector<std::string> PalettePages() { return DesignerRegistry().PalettePages(); }

std::vector<const TClassInfo*> ClassesOnPage(const std::string& page) { return DesignerRegistry().ClassesOnPage(page); }

std::optional<std::string> PropertyCategory(const TClassInfo& cls, const std::string& propName)
{
    return DesignerRegistry().PropertyCategory(cls, propName);
}
