#include "framework/core/Exceptions.h"
#include "framework/core/Strings.h"

#include "core/MessageOf.h"

#include <gtest/gtest.h>

namespace {

TObject* Obj(intptr_t n) { return reinterpret_cast<TObject*>(n); }

std::vector<std::string> Contents(const TStringList& list) { return list.Lines(); }


} // namespace

TEST(StringList, IndexErrorsNameTheIndex)
{
    TStringList list;
    list.SetText("a\nb\nc");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Get(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Get(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.GetObject(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.PutObject(7, nullptr); }), "List index out of bounds (7)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Delete(5); }), "List index out of bounds (5)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(4, "x"); }), "List index out of bounds (4)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Exchange(0, 3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(-1, 0); }), "List index out of bounds (-1)");
    EXPECT_EQ(Contents(list), (TLines{"a", "b", "c"}));
    list.Insert(3, "d"); // the end is a valid place to insert
    EXPECT_EQ(list.Strings(3), "d");
}

TEST(StringList, ObjectsTravelWithTheirStrings)
{
    TStringList list;
    list.AddObject("a", Obj(1));
    list.AddObject("b", Obj(2));
    list.AddObject("c", Obj(3));
    list.AddObject("d", Obj(4));
    list.Move(0, 2);
    EXPECT_EQ(Contents(list), (TLines{"b", "c", "a", "d"}));
    list.Move(3, 1);
    EXPECT_EQ(Contents(list), (TLines{"b", "d", "c", "a"}));
    list.Exchange(0, 3);
    EXPECT_EQ(Contents(list), (TLines{"a", "d", "c", "b"}));
    EXPECT_EQ(list.Objects(0), Obj(1));
    EXPECT_EQ(list.Objects(1), Obj(4));
    list.Put(1, "x");
    EXPECT_EQ(list.Objects(1), Obj(4));
    list.Delete(0);
    EXPECT_EQ(list.IndexOfObject(Obj(1)), -1);
}

TEST(StringList, SortedListKeepsCaseInsensitiveOrder)
{
    TStringList list;
    list.SetText("delta\nBravo\nalpha");
    list.SetSorted(true);
    EXPECT_EQ(Contents(list), (TLines{"alpha", "Bravo", "delta"}));
    EXPECT_EQ(list.Add("Charlie"), 2);
    EXPECT_EQ(list.Add("ECHO"), 4);
    EXPECT_EQ(list.IndexOf("CHARLIE"), 2);
    EXPECT_EQ(list.IndexOf("charl"), -1);
    int index = -1;
    EXPECT_FALSE(list.Find("beta", index));
    EXPECT_EQ(index, 1);
}

TEST(StringList, SortedListRefusesPositionalChanges)
{
    TStringList list;
    list.SetSorted(true);
    list.SetText("a\nb\nc");
    for (auto change : {+[](TStringList& l) { l.Insert(0, "z"); }, +[](TStringList& l) { l.Put(0, "z"); },
                        +[](TStringList& l) { l.Exchange(0, 2); }, +[](TStringList& l) { l.Move(0, 2); }})
        EXPECT_EQ(MessageOf<EStringListError>([&] { change(list); }), "Operation not allowed on sorted list");
    EXPECT_EQ(Contents(list), (TLines{"a", "b", "c"}));
}

TEST(StringList, DuplicatesOfASortedList)
{
    TStringList list;
    list.SetSorted(true);
    list.AddObject("b", Obj(1));

    list.SetDuplicates(dupIgnore);
    EXPECT_EQ(list.AddObject("B", Obj(2)), 0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Objects(0), Obj(1)); // the ignored duplicate does not replace it

    list.SetDuplicates(dupError);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add("B"); }), "String list does not allow duplicates");
    EXPECT_EQ(list.Count(), 1);

    list.SetDuplicates(dupAccept);
    list.AddObject("B", Obj(2));
    list.AddObject("a", Obj(3));
    list.AddObject("b", Obj(4));
    EXPECT_EQ(Contents(list), (TLines{"a", "b", "B", "b"}));
    EXPECT_EQ(list.Objects(3), Obj(4)); // equal strings stay in the order added
    EXPECT_EQ(list.IndexOf("B"), 1);

    TStringList unsorted;
    unsorted.SetDuplicates(dupError);
    unsorted.Add("x");
    EXPECT_EQ(unsorted.Add("x"), 1);
}

TEST(StringList, IgnoresCaseOfAccentedLetters)
{
    TStringList list;
    list.SetText("\xE9lan\nZ"); // "élan" in the Western code page
    EXPECT_EQ(list.IndexOf("\xC9LAN"), 0);
    list.SetSorted(true);
    EXPECT_EQ(list.IndexOf("\xC9LAN"), 0);
}

TEST(StringList, ChangeEventsOncePerUpdate)
{
    TStringList list;
    std::vector<std::string> events;
    list.OnChanging = [&](TObject* sender) { events.push_back(sender == &list ? "changing" : "?"); };
    list.OnChange = [&](TObject*) { events.push_back("change"); };

    list.Add("a");
    EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
    events.clear();
    list.SetText("x\ny\nz");
    EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
    events.clear();
    list.BeginUpdate();
    list.EndUpdate();
    list.Clear();
    list.Clear(); // already empty
    EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
}
