// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/ptr_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

int a, b, x, q, r, s;
using Items = std::vector<int*>;

// The items head to tail, after checking that the links agree both ways and with count.
Items Walk(const PtrList<int>& list) {
    Items out;
    const PtrList<int>::Node* previous = nullptr;
    for (auto* n = list.head; n; n = n->next) {
        EXPECT_EQ(n->prev, previous);
        previous = n;
        out.push_back(n->item);
    }
    EXPECT_EQ(list.tail, previous);
    EXPECT_EQ(int(out.size()), list.count);
    return out;
}

PtrList<int>* Make(Items items) {
    auto* list = new PtrList<int>;
    for (int* p : items) list->InsertAt(p, list->count);
    return list;
}

TEST(PtrListTest, InsertAtPutsTheItemAtThePositionAndAppendsOutOfRange) {
    struct {
        int position;
        Items expected;
    } cases[] = {{0, {&x, &a, &b}},
                 {1, {&a, &x, &b}},
                 {2, {&a, &b, &x}},
                 {-1, {&a, &b, &x}},
                 {7, {&a, &b, &x}}};
    for (auto& c : cases) {
        std::unique_ptr<PtrList<int>> list(Make({&a, &b}));
        list->InsertAt(&x, c.position);
        EXPECT_EQ(Walk(*list), c.expected) << "position " << c.position;
    }
    PtrList<int> empty;
    empty.InsertAt(&x, 3);
    EXPECT_EQ(Walk(empty), Items{&x});
}

TEST(PtrListTest, AddIfAbsentAndRemoveWorkOnTheFirstOccurrence) {
    std::unique_ptr<PtrList<int>> list(Make({&a, &b}));
    list->AddIfAbsent(&a);
    list->AddIfAbsent(&x);
    EXPECT_EQ(Walk(*list), (Items{&a, &b, &x}));

    list.reset(Make({&a, &b, &a}));
    EXPECT_TRUE(list->Remove(&a));
    EXPECT_EQ(Walk(*list), (Items{&b, &a}));
    EXPECT_TRUE(list->Remove(&a));
    EXPECT_FALSE(list->Remove(&a));
    EXPECT_TRUE(list->Remove(&b));
    EXPECT_EQ(Walk(*list), Items{});
}

TEST(PtrListTest, GetAtOutOfRangeGivesTheFirstItemOrNull) {
    PtrList<int> empty;
    EXPECT_EQ(empty.GetAt(0), nullptr);
    std::unique_ptr<PtrList<int>> list(Make({&a, &b}));
    EXPECT_EQ(list->GetAt(1), &b);
    EXPECT_EQ(list->GetAt(2), &a);
    EXPECT_EQ(list->GetAt(-1), &a);
}

TEST(PtrListTest, ClearFreesNodesOnlyAndNullsMayBeStored) {
    int value = 42;
    std::unique_ptr<PtrList<int>> list(Make({&value, nullptr}));
    EXPECT_TRUE(list->Remove(nullptr));
    list->Clear();
    EXPECT_EQ(Walk(*list), Items{});
    EXPECT_EQ(value, 42);
}

TEST(PtrListTest, SnapshotWalkCallsExactlyTheEntriesItCopied) {
    std::unique_ptr<PtrList<int>> list(Make({&a, &q, &r}));
    Items called;
    ForEachSnapshot(*list, [&](int* item) {
        called.push_back(item);
        if (item == &a) {
            list->Remove(&q);
            list->InsertAt(&s, list->count);
        }
    });
    EXPECT_EQ(called, (Items{&a, &q, &r}));
    EXPECT_EQ(Walk(*list), (Items{&a, &r, &s}));
}

}  // namespace
