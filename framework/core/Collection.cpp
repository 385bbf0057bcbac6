#include "framework/core/Collection.h"

#include "framework/core/Exceptions.h"

#include <algorithm>

FW_BEGIN_CLASS(TCollectionItem, TPersistent)
FW_END_CLASS

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    auto it = std::find_if(items.begin(), items.end(), [this](const auto& p) { return p.get() == this; });
    return static_cast<int>(it - items.begin());
}

void TCollectionItem::Changed()
{
    if (FCollection)
        FCollection->Changed();
}

FW_BEGIN_CLASS(TCollection, TPersistent)
FW_END_CLASS

TCollection::TCollection(const TClassInfo& itemClass, TFactory factory)
    : FItemClass(itemClass), FFactory(std::move(factory))
{
}

TCollection::~TCollection() = default;

TCollectionItem* TCollection::Item(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(Exception::Fmt("List index out of bounds (%d)", Index));
    return FItems[static_cast<size_t>(Index)].get();
}

TCollectionItem* TCollection::Add()
{
    FItems.push_back(FFactory());
    FItems.back()->FCollection = this;
    Changed();
    return FItems.back().get();
}

void TCollection::Delete(int Index)
{
    Item(Index); // validates
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Changed();
}

void TCollection::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TCollection*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    FItems.clear();
    for (int i = 0; i < other->Count(); ++i) {
        TCollectionItem* source = other->Item(i);
        TCollectionItem* item = Add();
        for (const TPropInfo* p : FItemClass.PublishedProps())
            if (p->Set && p->Kind != TPropKind::Event)
                p->Set(*item, p->Get(*source));
    }
    EndUpdate();
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

void TCollection::Changed()
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}
