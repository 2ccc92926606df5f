// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The one container of the toolkit and the game: a doubly linked list of pointers that owns
// its nodes but never the objects they point to. Items are compared by address.
#pragma once

#include <cstdint>

template <typename T>
class PtrList {
  public:
    struct Node {
        T* item;
        Node* next;
        Node* prev;
    };

    Node* head = nullptr;
    Node* tail = nullptr;
    int32_t count = 0;

    PtrList() = default;
    PtrList(const PtrList&) = delete;
    PtrList& operator=(const PtrList&) = delete;
    ~PtrList() { Clear(); }

    // Puts the item at `position`; a position below 0 or above count appends it.
    void InsertAt(T* item, int32_t position) {
        Node* node = new Node{item, nullptr, nullptr};
        if (count == 0) {
            head = tail = node;
            ++count;
            return;
        }
        if (position < 0 || position > count) position = count;
        Node* at = head;
        for (int32_t i = 0; i < position && at; ++i) at = at->next;
        if (at) {
            node->next = at;
            node->prev = at->prev;
            if (at->prev)
                at->prev->next = node;
            else
                head = node;
            at->prev = node;
        } else {
            node->prev = tail;
            tail->next = node;
            tail = node;
        }
        ++count;
    }

    void AddIfAbsent(T* item) {
        for (Node* n = head; n; n = n->next)
            if (n->item == item) return;
        InsertAt(item, count);
    }

    // Unlinks the first node holding the item.
    bool Remove(T* item) {
        Node* n = head;
        while (n && n->item != item) n = n->next;
        if (!n) return false;
        if (n->prev) n->prev->next = n->next;
        if (n->next) n->next->prev = n->prev;
        if (n == head) head = n->next;
        if (n == tail) tail = n->prev;
        delete n;
        --count;
        return true;
    }

    // The item at `position`; out of range gives the first item (null when empty).
    T* GetAt(int32_t position) const {
        Node* n = head;
        if (position >= 0 && position < count)
            for (int32_t i = 0; i < position; ++i) n = n->next;
        return n ? n->item : nullptr;
    }

    void Clear() {
        for (Node* n = tail; n;) {
            Node* prev = n->prev;
            delete n;
            n = prev;
        }
        head = tail = nullptr;
        count = 0;
    }

    // Writes exactly `count` items, head to tail.
    void CopyTo(T** array) const {
        int32_t i = 0;
        for (Node* n = head; n; n = n->next) array[i++] = n->item;
    }
};

// Calls `call` on each item the list holds now, in order, even when the calls change the list:
// an item removed meanwhile is still called, one added is not.
template <typename T, typename F>
void ForEachSnapshot(const PtrList<T>& list, F call) {
    if (list.count == 0) return;
    int32_t n = list.count;
    T** copy = new T*[n];
    list.CopyTo(copy);
    for (int32_t i = 0; i < n; ++i) call(copy[i]);
    delete[] copy;
}
