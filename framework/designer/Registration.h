#pragma once
// What a component library tells the form designer: which classes go on which
// palette page, and which properties belong to which category of the property
// inspector. Each component unit calls these from its Register().
#include "framework/core/TypeInfo.h"

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A category of the property inspector, named by its class as registrations name it:
//   RegisterPropertyInCategory(TVisualCategory(), TCorvelLabel::StaticClass(), "UseHover");
class TPropertyCategory {
public:
    const std::string& Name() const { return FName; }

protected:
    explicit TPropertyCategory(std::string name) : FName(std::move(name)) {}

private:
    std::string FName;
};

class TVisualCategory : public TPropertyCategory {
public:
    TVisualCategory() : TPropertyCategory("Visual") {}
};

class TActionCategory : public TPropertyCategory {
public:
    TActionCategory() : TPropertyCategory("Action") {}
};

// The registrations themselves. The functions below work on the one the designer
// reads; a test may build its own.
class TDesignerRegistry {
public:
    // Registers the classes by name for the form reader as well.
    void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes);
    // Raises EComponentError when Cls does not publish PropName.
    void RegisterPropertyInCategory(const TPropertyCategory& category, const TClassInfo& cls,
                                    const std::string& propName);

    // In the order they were first registered.
    std::vector<std::string> PalettePages() const;
    std::vector<const TClassInfo*> ClassesOnPage(const std::string& page) const;
    // The category registered for the property on Cls or on its nearest ancestor.
    std::optional<std::string> PropertyCategory(const TClassInfo& cls, const std::string& propName) const;

    void Clear();

private:
    std::vector<std::pair<std::string, std::vector<const TClassInfo*>>> FPages;
    std::map<std::pair<const TClassInfo*, std::string>, std::string> FCategories;
};

TDesignerRegistry& DesignerRegistry();

void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes);
void RegisterPropertyInCategory(const TPropertyCategory& category, const TClassInfo& cls, const std::string& propName);
std::vector<std::string> PalettePages();
std::vector<const TClassInfo*> ClassesOnPage(const std::string& page);
std::optional<std::string> PropertyCategory(const TClassInfo& cls, const std::string& propName);
