#pragma once
// Collections: ordered lists of owned items of one class (a status bar's panels).
// A form resource stores them as a list of property blocks, one per item.
#include "framework/core/Events.h"
#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"

#include <functional>
#include <memory>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
    FW_CLASS(TCollectionItem)
public:
    TCollection* Collection() const { return FCollection; }
    int Index() const;

protected:
    // Tells the collection (and so its owner) that a property of the item changed.
    void Changed();

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
    FW_CLASS(TCollection)
public:
    using TFactory = std::function<std::unique_ptr<TCollectionItem>()>;
    TCollection(const TClassInfo& itemClass, TFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    TCollectionItem* Item(int Index) const;
    TCollectionItem* Add();
    void Delete(int Index);
    void Clear();
    const TClassInfo& ItemClass() const { return FItemClass; }

    // Items are copied by their published properties.
    void Assign(TPersistent* Source) override;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // Fired after items are added, deleted or changed (once at the end of an update).
    TNotifyEvent OnChange;

private:
    friend class TCollectionItem;
    void Changed();

    const TClassInfo& FItemClass;
    TFactory FFactory;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};

// A collection whose items are T.
template <class T>
class TTypedCollection : public TCollection {
public:
    TTypedCollection() : TCollection(T::StaticClass(), [] { return std::make_unique<T>(); }) {}
    T* Items(int Index) const { return static_cast<T*>(Item(Index)); }
    T* Add() { return static_cast<T*>(TCollection::Add()); }
};
