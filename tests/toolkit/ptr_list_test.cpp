#include "toolkit/ptr_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int a, b, x, q, r, s;

std::vector<int*> Items(const PtrList<int>& list) {
    std::vector<int*> out;
    for (auto* n = list.head; n; n = n->next) out.push_back(n->item);
    return out;
}

// The links agree both ways and with count.
void ExpectConsistent(const PtrList<int>& list) {
    int forwards = 0;
    for (auto* n = list.head; n; n = n->next) {
        ++forwards;
        if (n->next) {
            EXPECT_EQ(n->next->prev, n);
        } else {
            EXPECT_EQ(list.tail, n);
        }
    }
    EXPECT_EQ(forwards, list.count);
    EXPECT_EQ(list.head == nullptr, list.count == 0);
    EXPECT_EQ(list.tail == nullptr, list.count == 0);
    if (list.head) {
        EXPECT_EQ(list.head->prev, nullptr);
    }
}

TEST(PtrListTest, InsertAtPutsTheItemAtThePositionAndClampsOutOfRange) {
    struct Case {
        int position;
        std::vector<int*> expected;
    } cases[] = {{0, {&x, &a, &b}},
                 {1, {&a, &x, &b}},
                 {2, {&a, &b, &x}},
                 {-1, {&a, &b, &x}},
                 {7, {&a, &b, &x}}};
    for (const Case& c : cases) {
        PtrList<int> list;
        list.InsertAt(&a, 0);
        list.InsertAt(&b, 1);
        list.InsertAt(&x, c.position);
        EXPECT_EQ(Items(list), c.expected) << "position " << c.position;
        EXPECT_EQ(list.head->item, c.expected.front());
        EXPECT_EQ(list.tail->item, c.expected.back());
        ExpectConsistent(list);
    }
    PtrList<int> empty;
    empty.InsertAt(&x, 3);
    EXPECT_EQ(empty.head, empty.tail);
    EXPECT_EQ(empty.head->item, &x);
    EXPECT_EQ(empty.count, 1);
}

TEST(PtrListTest, AddIfAbsentKeepsEachPointerOnce) {
    PtrList<int> list;
    list.InsertAt(&a, 0);
    list.InsertAt(&b, 1);
    list.AddIfAbsent(&a);
    EXPECT_EQ(Items(list), (std::vector<int*>{&a, &b}));
    list.AddIfAbsent(&x);
    EXPECT_EQ(Items(list), (std::vector<int*>{&a, &b, &x}));
}

TEST(PtrListTest, RemoveTakesTheFirstOccurrenceOnly) {
    PtrList<int> list;
    for (int* p : {&a, &b, &a}) list.InsertAt(p, list.count);
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_EQ(Items(list), (std::vector<int*>{&b, &a}));
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_EQ(Items(list), (std::vector<int*>{&b}));
    EXPECT_FALSE(list.Remove(&a));
    ExpectConsistent(list);
    EXPECT_TRUE(list.Remove(&b));
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.tail, nullptr);
    EXPECT_EQ(list.count, 0);
}

TEST(PtrListTest, GetAtOutOfRangeGivesTheFirstItemOrNull) {
    PtrList<int> list;
    EXPECT_EQ(list.GetAt(0), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    list.InsertAt(&a, 0);
    list.InsertAt(&b, 1);
    EXPECT_EQ(list.GetAt(0), &a);
    EXPECT_EQ(list.GetAt(1), &b);
    EXPECT_EQ(list.GetAt(2), &a);
    EXPECT_EQ(list.GetAt(-1), &a);
}

TEST(PtrListTest, ClearLeavesTheObjectsAloneAndNullsAreStored) {
    int value = 42;
    PtrList<int> list;
    list.InsertAt(&value, 0);
    list.InsertAt(nullptr, 1);
    EXPECT_EQ(list.count, 2);
    EXPECT_TRUE(list.Remove(nullptr));
    list.Clear();
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(value, 42);
}

TEST(PtrListTest, SnapshotWalkCallsExactlyTheEntriesItCopied) {
    PtrList<int> list;
    for (int* p : {&a, &q, &r}) list.InsertAt(p, list.count);
    std::vector<int*> called;
    ForEachSnapshot(list, [&](int* item) {
        called.push_back(item);
        if (item == &a) {
            list.Remove(&q);
            list.InsertAt(&s, list.count);
        }
    });
    EXPECT_EQ(called, (std::vector<int*>{&a, &q, &r}));
    EXPECT_EQ(Items(list), (std::vector<int*>{&a, &r, &s}));
}

}  // namespace
