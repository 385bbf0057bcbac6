#include "framework/core/Component.h"

#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cctype>

FW_BEGIN_CLASS(TComponent, TPersistent)
    .Integer("Tag", &C::Tag, &C::SetTag, 0)
FW_END_CLASS

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Destroying()
{
    FState.Include(csDestroying);
    // Taken out first: a notified component may link or unlink others meanwhile.
    const std::vector<TComponent*> linked = std::move(FFreeNotifies);
    FFreeNotifies.clear();
    for (TComponent* c : linked) {
        c->Unlink(this);
        c->Notification(this, opRemove);
    }
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) != FFreeNotifies.end())
        return;
    FFreeNotifies.push_back(AComponent);
    AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent)
        return;
    Unlink(AComponent);
    AComponent->Unlink(this);
}

void TComponent::Unlink(TComponent* AComponent)
{
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        FComponents.pop_back();
        last->FOwner = nullptr;
        delete last;
    }
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    if (!component->FName.empty() && FindComponent(component->FName))
        throw EComponentError(Exception::Fmt("A component named %s already exists", component->FName.c_str()));
    FComponents.push_back(component);
    component->FOwner = this;
    if (FState.Contains(csDesigning))
        component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end())
        return;
    FComponents.erase(it);
    component->FOwner = nullptr;
    Notification(component, opRemove);
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->FName.size() == name.size() &&
            std::equal(name.begin(), name.end(), c->FName.begin(),
                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                   std::tolower(static_cast<unsigned char>(b)); }))
            return c;
    return nullptr;
}

static bool IsIdentifier(const std::string& s)
{
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_'))
        return false;
    return std::all_of(s.begin(), s.end(), [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; });
}

void TComponent::SetName(const std::string& name)
{
    if (name == FName)
        return;
    if (!name.empty() && !IsIdentifier(name))
        throw EComponentError(Exception::Fmt("'%s' is not a valid component name", name.c_str()));
    if (FOwner) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EComponentError(Exception::Fmt("A component named %s already exists", name.c_str()));
    }
    FName = name;
}

void TComponent::SetDesigning(bool designing)
{
    FState.Set(csDesigning, designing);
    for (TComponent* c : FComponents)
        c->SetDesigning(designing);
}

void TComponent::Loaded() { FState.Exclude(csLoading); }

void TComponent::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const
{
    if (root != this)
        return;
    for (TComponent* c : FComponents)
        if (!c->GetParentComponent())
            children.push_back(c);
}
