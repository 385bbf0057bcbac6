#include "framework/core/Strings.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/text/SysUtils.h"

#include <algorithm>
#include <utility>

namespace {

// EndUpdate must follow BeginUpdate even when the work in between raises, but
// EndUpdate may raise itself (a descendant repaints its window), so no destructor
// can run it.
template <class F>
void WithinUpdate(TStrings& strings, F&& work)
{
    strings.BeginUpdate();
    try {
        work();
    } catch (...) {
        strings.EndUpdate();
        throw;
    }
    strings.EndUpdate();
}

// Lines end at CR LF, LF or CR; the last line needs no terminator.
TLines SplitLines(const std::string& text)
{
    TLines lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

using TItems = std::vector<std::pair<std::string, TObject*>>;

TItems ReadItems(const TStrings& strings)
{
    TItems items;
    const int count = strings.GetCount();
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        items.emplace_back(strings.Get(i), strings.GetObject(i));
    return items;
}

void WriteText(TStream& stream, const std::string& text)
{
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

} // namespace

// ---------------------------------------------------------------------------
// TStrings

FW_BEGIN_CLASS(TStrings, TPersistent)
    .Lines("Strings", &C::Lines, &C::SetLines)
FW_END_CLASS

void TStrings::Error(const char* Format, int Value) { throw EStringListError(Exception::Fmt(Format, Value)); }

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

void TStrings::SetUpdateState(bool) {}

void TStrings::Put(int Index, const std::string& S)
{
    TObject* const object = GetObject(Index);
    Delete(Index);
    Insert(Index, S);
    PutObject(Index, object);
}

int TStrings::Add(const std::string& S)
{
    const int index = GetCount();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject)
{
    const int index = Add(S);
    if (index != -1)
        PutObject(index, AObject);
    return index;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

int TStrings::IndexOf(const std::string& S) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (AnsiCompareText(Get(i), S) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (GetObject(i) == AObject)
            return i;
    return -1;
}

void TStrings::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TStrings*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    // Read the source before clearing: if reading fails, this list is untouched.
    const TItems items = ReadItems(*source);
    WithinUpdate(*this, [&] {
        Clear();
        for (const auto& [s, object] : items)
            AddObject(s, object);
    });
}

void TStrings::AddStrings(const TStrings& Strings)
{
    const TItems items = ReadItems(Strings);
    WithinUpdate(*this, [&] {
        for (const auto& [s, object] : items)
            AddObject(s, object);
    });
}

void TStrings::Exchange(int Index1, int Index2)
{
    WithinUpdate(*this, [&] {
        const std::string s1 = Get(Index1);
        TObject* const object1 = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, s1);
        PutObject(Index2, object1);
    });
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    // After the deletion there is one item less, so the last valid destination is
    // the position the last item leaves.
    if (NewIndex < 0 || NewIndex >= GetCount())
        Error("List index out of bounds (%d)", NewIndex);
    WithinUpdate(*this, [&] {
        const std::string s = Get(CurIndex);
        TObject* const object = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, s, object);
    });
}

std::string TStrings::Text() const
{
    std::string text;
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& Value) { SetLines(SplitLines(Value)); }

TLines TStrings::Lines() const
{
    TLines lines;
    const int count = GetCount();
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back(Get(i));
    return lines;
}

void TStrings::SetLines(const TLines& Lines)
{
    WithinUpdate(*this, [&] {
        Clear();
        for (const std::string& line : Lines)
            Add(line);
    });
}

void TStrings::LoadFromFile(const std::string& FileName)
{
    TFileStream stream(FileName, fmOpenRead);
    LoadFromStream(stream);
}

void TStrings::LoadFromStream(TStream& Stream) { SetText(Stream.ReadAll()); }

void TStrings::SaveToFile(const std::string& FileName) const
{
    // The text first: creating the file empties it, and a list that cannot be read
    // must not cost the file its previous contents.
    const std::string text = Text();
    TFileStream stream(FileName, fmCreate);
    WriteText(stream, text);
}

void TStrings::SaveToStream(TStream& Stream) const { WriteText(Stream, Text()); }

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    // An unmatched EndUpdate would otherwise leave the count negative and swallow
    // the next BeginUpdate's notification.
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        SetUpdateState(false);
}

// ---------------------------------------------------------------------------
// TStringList

FW_BEGIN_CLASS(TStringList, TStrings)
FW_END_CLASS

void TStringList::CheckIndex(int Index, bool AllowEnd) const
{
    const int count = GetCount();
    if (Index < 0 || Index > count || (Index == count && !AllowEnd))
        Error("List index out of bounds (%d)", Index);
}

void TStringList::CheckUnsorted() const
{
    if (FSorted)
        throw EStringListError("Operation not allowed on sorted list");
}

std::string TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].S;
}

int TStringList::GetCount() const { return static_cast<int>(FItems.size()); }

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    FItems[static_cast<size_t>(Index)].Object = AObject;
    Changed();
}

void TStringList::Put(int Index, const std::string& S)
{
    CheckUnsorted();
    CheckIndex(Index);
    Changing();
    FItems[static_cast<size_t>(Index)].S = S;
    Changed();
}

void TStringList::Insert(int Index, const std::string& S)
{
    CheckUnsorted();
    CheckIndex(Index, true);
    InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject)
{
    Changing();
    FItems.insert(FItems.begin() + Index, TItem{S, AObject});
    Changed();
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::Add(const std::string& S) { return AddItem(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject) { return AddItem(S, AObject); }

int TStringList::AddItem(const std::string& S, TObject* AObject)
{
    int index = GetCount();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore)
            return index;
        if (FDuplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
        // Equal strings keep the order in which they were added.
        while (index < GetCount() && AnsiCompareText(FItems[static_cast<size_t>(index)].S, S) == 0)
            ++index;
    }
    InsertItem(index, S, AObject);
    return index;
}

int TStringList::IndexOf(const std::string& S) const
{
    if (FSorted) {
        int index = 0;
        return Find(S, index) ? index : -1;
    }
    for (size_t i = 0; i < FItems.size(); ++i)
        if (AnsiCompareText(FItems[i].S, S) == 0)
            return static_cast<int>(i);
    return -1;
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckUnsorted();
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    CheckUnsorted();
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex)
        return;
    Changing();
    const auto from = FItems.begin() + CurIndex;
    const auto to = FItems.begin() + NewIndex;
    if (CurIndex < NewIndex)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
    Changed();
}

bool TStringList::Find(const std::string& S, int& Index) const
{
    // The first position whose string is not less than S.
    int low = 0, high = GetCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (AnsiCompareText(FItems[static_cast<size_t>(middle)].S, S) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    Index = low;
    return low < GetCount() && AnsiCompareText(FItems[static_cast<size_t>(low)].S, S) == 0;
}

void TStringList::Sort()
{
    // A sorted list is kept in order by every change, so it has nothing to do.
    if (FSorted || FItems.size() < 2)
        return;
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(),
                     [](const TItem& a, const TItem& b) { return AnsiCompareText(a.S, b.S) < 0; });
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    if (Value)
        Sort();
    FSorted = Value;
}

void TStringList::SetUpdateState(bool Updating)
{
    FUpdating = Updating;
    if (!Updating && std::exchange(FChangedInUpdate, false))
        Changed();
}

void TStringList::Changing()
{
    if (FUpdating) {
        if (std::exchange(FChangedInUpdate, true))
            return;
    }
    if (OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (!FUpdating && OnChange)
        OnChange(this);
}
