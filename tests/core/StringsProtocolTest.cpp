// What TStrings asks of a descendant: every operation built on the protocol must
// issue exactly these calls, because the coded item lists implement the protocol
// with window messages and rely on the order.
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"
#include "framework/text/SysUtils.h"

#include "core/MessageOf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

TObject* Obj(intptr_t n) { return reinterpret_cast<TObject*>(n); }

class TRecordingStrings : public TStrings {
public:
    mutable TLog Log;
    std::vector<std::pair<std::string, TObject*>> Items;
    int FailInsertAt = -1;

    std::string Get(int i) const override
    {
        Log.push_back("Get(" + std::to_string(i) + ")");
        return Item(i).first;
    }
    int GetCount() const override
    {
        Log.push_back("GetCount");
        return static_cast<int>(Items.size());
    }
    TObject* GetObject(int i) const override
    {
        Log.push_back("GetObject(" + std::to_string(i) + ")");
        return Item(i).second;
    }
    void PutObject(int i, TObject* o) override
    {
        Log.push_back("PutObject(" + std::to_string(i) + ")");
        Item(i).second = o;
    }
    void Put(int i, const std::string& s) override
    {
        Log.push_back("Put(" + std::to_string(i) + "," + s + ")");
        TStrings::Put(i, s);
    }
    void Insert(int i, const std::string& s) override
    {
        Log.push_back("Insert(" + std::to_string(i) + "," + s + ")");
        if (i < 0 || i > static_cast<int>(Items.size()) || i == FailInsertAt)
            Error("List index out of bounds (%d)", i);
        Items.insert(Items.begin() + i, {s, nullptr});
    }
    void Delete(int i) override
    {
        Log.push_back("Delete(" + std::to_string(i) + ")");
        Item(i);
        Items.erase(Items.begin() + i);
    }
    void Clear() override
    {
        Log.push_back("Clear");
        Items.clear();
    }
    void SetUpdateState(bool updating) override
    {
        Log.push_back(updating ? "SetUpdateState(true)" : "SetUpdateState(false)");
    }

    TLog Strings() const
    {
        TLog s;
        for (const auto& item : Items)
            s.push_back(item.first);
        return s;
    }
    // Fills without logging, so that a test sees only the calls of the operation.
    void Fill(std::initializer_list<const char*> strings)
    {
        intptr_t n = 0;
        for (const char* s : strings)
            Items.emplace_back(s, Obj(++n));
    }

private:
    std::pair<std::string, TObject*>& Item(int i) const
    {
        if (i < 0 || i >= static_cast<int>(Items.size()))
            Error("List index out of bounds (%d)", i);
        return const_cast<std::pair<std::string, TObject*>&>(Items[static_cast<size_t>(i)]);
    }
};

class StringsProtocol : public testing::Test {
protected:
    TRecordingStrings List;
};

} // namespace

TEST_F(StringsProtocol, AddAndAddObjectInsertAtTheEnd)
{
    List.Fill({"a", "b"});
    EXPECT_EQ(List.Add("c"), 2);
    EXPECT_EQ(List.AddObject("d", Obj(9)), 3);
    EXPECT_EQ(List.Log, (TLog{"GetCount", "Insert(2,c)", "GetCount", "Insert(3,d)", "PutObject(3)"}));
    EXPECT_EQ(List.Items[3].second, Obj(9));
}

TEST_F(StringsProtocol, PutKeepsTheObjectThroughDeleteAndInsert)
{
    List.Fill({"a", "b", "c"});
    List.Put(1, "x");
    EXPECT_EQ(List.Log, (TLog{"Put(1,x)", "GetObject(1)", "Delete(1)", "Insert(1,x)", "PutObject(1)"}));
    EXPECT_EQ(List.Strings(), (TLog{"a", "x", "c"}));
    EXPECT_EQ(List.Items[1].second, Obj(2));
}

TEST_F(StringsProtocol, AssignClearsAndAddsInOneUpdate)
{
    TStringList source;
    source.AddObject("p", Obj(5));
    source.AddObject("q", Obj(6));
    List.Fill({"old"});
    List.Assign(&source);
    EXPECT_EQ(List.Log, (TLog{"SetUpdateState(true)", "Clear", "GetCount", "Insert(0,p)", "PutObject(0)",
                              "GetCount", "Insert(1,q)", "PutObject(1)", "SetUpdateState(false)"}));
    EXPECT_EQ(List.Items[1].second, Obj(6));
}

TEST_F(StringsProtocol, AssignFromItselfOrAForeignClassLosesNothing)
{
    List.Fill({"a", "b"});
    List.Assign(&List);
    EXPECT_TRUE(List.Log.empty());
    TStringList* notStrings = nullptr;
    EXPECT_THROW(List.Assign(notStrings), EConvertError);
    EXPECT_EQ(List.Strings(), (TLog{"a", "b"}));
}

TEST_F(StringsProtocol, AddStringsAddsEachWithItsObject)
{
    List.Fill({"a"});
    List.AddStrings(List); // reads everything before adding
    EXPECT_EQ(List.Strings(), (TLog{"a", "a"}));
    EXPECT_EQ(List.Items[1].second, Obj(1));
    const TLog tail(List.Log.end() - 5, List.Log.end());
    EXPECT_EQ(tail, (TLog{"SetUpdateState(true)", "GetCount", "Insert(1,a)", "PutObject(1)", "SetUpdateState(false)"}));
}

TEST_F(StringsProtocol, SetTextSplitsAtEveryLineEnd)
{
    List.Fill({"old"});
    List.SetText("a\r\nb\nc\rd\r\n");
    EXPECT_EQ(List.Log, (TLog{"SetUpdateState(true)", "Clear", "GetCount", "Insert(0,a)", "GetCount", "Insert(1,b)",
                              "GetCount", "Insert(2,c)", "GetCount", "Insert(3,d)", "SetUpdateState(false)"}));
    const std::pair<const char*, TLog> cases[] = {
        {"", {}}, {"\r\n", {""}}, {"a\r\n\r\n", {"a", ""}}, {"a\n\rb", {"a", "", "b"}}, {"a", {"a"}}, {"\n\n", {"", ""}}};
    for (const auto& [text, lines] : cases) {
        List.SetText(text);
        EXPECT_EQ(List.Strings(), lines) << testing::PrintToString(text);
    }
}

TEST_F(StringsProtocol, TextEndsEveryStringWithCrLf)
{
    List.Fill({"a", "", "b"});
    EXPECT_EQ(List.Text(), "a\r\n\r\nb\r\n");
    TMemoryStream stream;
    List.SaveToStream(stream);
    EXPECT_EQ(stream.Data(), "a\r\n\r\nb\r\n");
    List.Items.clear();
    EXPECT_EQ(List.Text(), "");
}

TEST_F(StringsProtocol, LoadFromStreamAndFileGoThroughSetText)
{
    TMemoryStream stream("x\ny");
    List.LoadFromStream(stream);
    EXPECT_EQ(List.Log, (TLog{"SetUpdateState(true)", "Clear", "GetCount", "Insert(0,x)", "GetCount", "Insert(1,y)",
                              "SetUpdateState(false)"}));

    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "elv", 0, file);
    List.Items = {{"one", nullptr}, {"two", nullptr}};
    List.SaveToFile(file);
    List.Items.clear();
    List.LoadFromFile(file);
    EXPECT_EQ(List.Strings(), (TLog{"one", "two"}));
    DeleteFileA(file);

    List.Log.clear();
    EXPECT_THROW(List.LoadFromFile(file), EFOpenError);
    EXPECT_TRUE(List.Log.empty()); // nothing cleared
    EXPECT_EQ(List.Strings(), (TLog{"one", "two"}));
}

TEST_F(StringsProtocol, SaveToFileKeepsTheOldFileWhenTheListCannotBeRead)
{
    struct TUnreadable : TRecordingStrings {
        std::string Get(int i) const override { Error("List index out of bounds (%d)", i); }
    } unreadable;
    unreadable.Fill({"a"});
    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "elv", 0, file);
    List.Items = {{"kept", nullptr}};
    List.SaveToFile(file);
    EXPECT_THROW(unreadable.SaveToFile(file), EStringListError);
    List.LoadFromFile(file);
    EXPECT_EQ(List.Strings(), (TLog{"kept"}));
    DeleteFileA(file);
}

TEST_F(StringsProtocol, ExchangeSwapsStringsAndObjectsThroughPut)
{
    List.Fill({"a", "b", "c"});
    List.Exchange(0, 2);
    EXPECT_EQ(List.Log, (TLog{"SetUpdateState(true)", "Get(0)", "GetObject(0)", "Get(2)", "Put(0,c)", "GetObject(0)",
                              "Delete(0)", "Insert(0,c)", "PutObject(0)", "GetObject(2)", "PutObject(0)", "Put(2,a)",
                              "GetObject(2)", "Delete(2)", "Insert(2,a)", "PutObject(2)", "PutObject(2)",
                              "SetUpdateState(false)"}));
    EXPECT_EQ(List.Strings(), (TLog{"c", "b", "a"}));
    EXPECT_EQ(List.Items[0].second, Obj(3));
    EXPECT_EQ(List.Items[2].second, Obj(1));
}

TEST_F(StringsProtocol, MoveDeletesAndReinsertsWithTheObject)
{
    List.Fill({"a", "b", "c"});
    List.Move(0, 2);
    EXPECT_EQ(List.Log, (TLog{"GetCount", "SetUpdateState(true)", "Get(0)", "GetObject(0)", "Delete(0)",
                              "Insert(2,a)", "PutObject(2)", "SetUpdateState(false)"}));
    EXPECT_EQ(List.Strings(), (TLog{"b", "c", "a"}));
    EXPECT_EQ(List.Items[2].second, Obj(1));

    List.Log.clear();
    List.Move(1, 1);
    EXPECT_TRUE(List.Log.empty());
    EXPECT_EQ(MessageOf<EStringListError>([&] { List.Move(0, 3); }), "List index out of bounds (3)");
    EXPECT_EQ(List.Strings(), (TLog{"b", "c", "a"}));
}

TEST_F(StringsProtocol, IndexOfComparesEachStringIgnoringCase)
{
    List.Fill({"Alpha", "bravo", "Charlie"});
    EXPECT_EQ(List.IndexOf("BRAVO"), 1);
    EXPECT_EQ(List.Log, (TLog{"GetCount", "Get(0)", "Get(1)"}));
    EXPECT_EQ(List.IndexOf("brav"), -1);
    EXPECT_EQ(List.IndexOfObject(Obj(3)), 2);
}

TEST_F(StringsProtocol, NestedUpdatesNotifyOnlyTheOutermost)
{
    List.BeginUpdate();
    List.BeginUpdate();
    List.EndUpdate();
    EXPECT_EQ(List.UpdateCount(), 1);
    List.EndUpdate();
    List.EndUpdate(); // unmatched: ignored
    List.BeginUpdate();
    EXPECT_EQ(List.Log, (TLog{"SetUpdateState(true)", "SetUpdateState(false)", "SetUpdateState(true)"}));
}

TEST_F(StringsProtocol, AFailureInsideAnUpdateStillEndsIt)
{
    List.FailInsertAt = 1;
    EXPECT_THROW(List.SetText("a\nb\nc"), EStringListError);
    EXPECT_EQ(List.Log.back(), "SetUpdateState(false)");
    EXPECT_EQ(List.UpdateCount(), 0);
}

TEST_F(StringsProtocol, StoredAsTheLinesPropertyStrings)
{
    const TPropInfo* prop = TStrings::StaticClass().FindProp("Strings");
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->Kind, TPropKind::Lines);
    List.Fill({"a", "b"});
    EXPECT_EQ(std::get<TLines>(prop->Get(List)), (TLines{"a", "b"}));
    prop->Set(List, TValue(TLines{"x"}));
    EXPECT_EQ(List.Strings(), (TLog{"x"}));
    EXPECT_EQ(FindClass("TStringList"), &TStringList::StaticClass());
    EXPECT_EQ(TStringList().ClassName(), "TStringList");
}
