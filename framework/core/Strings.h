#pragma once
// String lists. TStrings is abstract: a descendant provides the storage through the
// virtual protocol (Get, GetCount, GetObject, PutObject, Put, Insert, Delete, Clear,
// SetUpdateState) and inherits everything else, which is written only in terms of
// that protocol. Indexes count from 0; each string carries one object word.
#include "framework/core/Events.h"
#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"

#include <string>
#include <vector>

// <windows.h> defines GetObject as a macro (GetObjectA, the GDI call), which would
// rename the method below in the translation units that see the macro.
#include <windows.h>
#undef GetObject

class TStream;

class TStrings : public TPersistent {
    FW_CLASS(TStrings)
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    // --- the protocol a descendant implements ---
    virtual std::string Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int Index) const;              // nullptr unless overridden
    virtual void PutObject(int Index, TObject* AObject);      // ignored unless overridden
    // Keeps the object: GetObject, Delete, Insert, PutObject.
    virtual void Put(int Index, const std::string& S);
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    // Called with true when the outermost BeginUpdate starts and false when its EndUpdate ends.
    virtual void SetUpdateState(bool Updating);

    // --- built on the protocol ---
    virtual int Add(const std::string& S);                    // Insert(GetCount(), S)
    virtual int AddObject(const std::string& S, TObject* AObject);
    void InsertObject(int Index, const std::string& S, TObject* AObject);
    // First index whose string equals S ignoring case (user locale), -1 when none.
    virtual int IndexOf(const std::string& S) const;
    int IndexOfObject(TObject* AObject) const;
    // Clear, then AddStrings, in one update. Assigning a list to itself changes nothing.
    void Assign(TPersistent* Source) override;
    // Reads all of Strings before adding, so a list can be added to itself.
    void AddStrings(const TStrings& Strings);
    virtual void Exchange(int Index1, int Index2);
    // Deletes and re-inserts the item; NewIndex is checked first so that a bad
    // destination loses nothing.
    virtual void Move(int CurIndex, int NewIndex);

    int Count() const { return GetCount(); }
    std::string Strings(int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }

    // Every string followed by CR LF; writing splits at CR LF, LF or CR.
    std::string Text() const;
    void SetText(const std::string& Value);
    TLines Lines() const;
    void SetLines(const TLines& Lines);                       // Clear and Add each, in one update

    void LoadFromFile(const std::string& FileName);
    void LoadFromStream(TStream& Stream);
    void SaveToFile(const std::string& FileName) const;
    void SaveToStream(TStream& Stream) const;

    // Nested; SetUpdateState is called on the outermost pair only.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    [[noreturn]] static void Error(const char* Format, int Value);

private:
    int FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

// A string list that stores its strings and objects itself, optionally sorted by
// the same case-insensitive comparison as IndexOf.
class TStringList : public TStrings {
    FW_CLASS(TStringList)
public:
    TStringList() = default;

    std::string Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;     // "Operation not allowed on sorted list" when sorted
    void Delete(int Index) override;
    void Clear() override;
    void SetUpdateState(bool Updating) override;

    int Add(const std::string& S) override;                    // at the sorted position when Sorted
    // Stores the object with the string in one step, so that a duplicate that a
    // sorted list ignores leaves the existing item's object alone.
    int AddObject(const std::string& S, TObject* AObject) override;
    int IndexOf(const std::string& S) const override;          // binary search when Sorted
    // Both refuse a sorted list, whose order they would break.
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    // Binary search of a sorted list: true when found; Index receives the position
    // of S or the position where it would be inserted.
    bool Find(const std::string& S, int& Index) const;
    virtual void Sort();

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    // Applies to a sorted list only: an unsorted list accepts every string.
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

    // Outside an update, each change is announced by OnChanging and followed by
    // OnChange. Inside one, OnChanging comes before the first change only and
    // OnChange once when the update ends, and neither when nothing changed.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        std::string S;
        TObject* Object = nullptr;
    };
    void CheckIndex(int Index, bool AllowEnd = false) const;
    void InsertItem(int Index, const std::string& S, TObject* AObject);
    int AddItem(const std::string& S, TObject* AObject);
    void CheckUnsorted() const;

    std::vector<TItem> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupAccept;
    bool FUpdating = false;
    bool FChangedInUpdate = false;
};
