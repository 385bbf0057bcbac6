#pragma once
// Components: named objects that own other components. An owner destroys what it
// owns; a component destroyed first takes itself out of its owner's list.
#include "framework/core/Object.h"
#include "framework/core/Sets.h"
#include "framework/core/TypeInfo.h"

#include <cstdint>
#include <string>
#include <vector>

enum TComponentStateFlag {
    csLoading,    // its properties are being read from a form resource
    csReading,
    csWriting,
    csDestroying,
    csDesigning,  // hosted by the form designer
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    FW_CLASS(TComponent)
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return FName; }
    // Raises EComponentError for a name that is no identifier or that another
    // component of the same owner already has.
    virtual void SetName(const std::string& name);
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t tag) { FTag = tag; }

    TComponentState ComponentState() const { return FState; }
    bool IsLoading() const { return FState.Contains(csLoading); }
    bool IsDesigning() const { return FState.Contains(csDesigning); }
    bool IsDestroying() const { return FState.Contains(csDestroying); }
    // Puts this component and everything it owns in (or out of) design mode.
    void SetDesigning(bool designing);

    // The form reader sets csLoading before it reads a component's properties and
    // calls Loaded() once the whole resource has been read.
    void BeginLoading() { FState.Include(csLoading); }
    virtual void Loaded();
    // The class named in the form resource read into this root in design mode,
    // where the designer hosts the form as an instance of one of its relatives;
    // the writer puts it back in the header. Empty otherwise.
    const std::string& DesignClassName() const { return FDesignClassName; }
    void SetDesignClassName(std::string name) { FDesignClassName = std::move(name); }

    // The form resources' view of the component tree. A control's parent component
    // is its parent window; the reader sets it, the writer nests children under it.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }
    // Appends the components stored inside this one in a form resource of Root, in
    // creation order: for the root, its owned components without a parent component.
    virtual void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Destroys every owned component, the last created first.
    void DestroyComponents();

    // Links this component and AComponent, which need not share an owner: whichever
    // is destroyed first is reported to the other through Notification(it, opRemove),
    // so a plain reference to a sibling (a splitter's controls) never dangles.
    // Linking twice links once.
    void FreeNotification(TComponent* AComponent);
    // Undoes the link, in both directions.
    void RemoveFreeNotification(TComponent* AComponent);

protected:
    // Points a reference this component holds at another component, watched so that
    // Notification can clear it when that component is destroyed first.
    template <class T>
    void SetWatchedReference(T*& reference, T* value)
    {
        if (reference == value)
            return;
        RemoveFreeNotification(reference);
        reference = value;
        FreeNotification(value);
    }

    // Marks the component as being destroyed and tells the linked components; derived
    // destructors call it first, so that handlers can tell a component that is going
    // away and nobody reaches it through a reference any longer.
    void Destroying();
    // A linked component is being destroyed (opRemove): clear every reference to it.
    // The component is already partly destroyed: compare its address, call nothing on it.
    // An owner also hears of each component inserted into it or removed from it (not
    // of those it destroys itself); the one inserted is not fully made yet either.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

private:
    void Unlink(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    std::string FDesignClassName;
    intptr_t FTag = 0;
    TComponentState FState;
};
