#pragma once

#include "core/util/bulkmemory.h"

#include <QList>
#include <QString>

#include <deque>
#include <unordered_map>

// The links of every listed row, in the order they were appended. Behaves exactly like that
// ordered list, but every operation is O(1) amortized: entries are only ever appended at the end,
// and removal always takes the most recently appended entry with a given deletion key, so one
// stack per deletion key reproduces "search from the last entry towards the first". The stacks
// are brought up to date when a removal needs them, so an append costs one map insert.
class DuplicatedItems {
public:
    void append(const QString &link);
    // True when an entry equals link without regard to letter case.
    bool contains(const QString &link) const;
    // Removes the most recently appended entry that equals link once both are trimmed of
    // surrounding blanks and upper-cased (ASCII letters only); false when there is none.
    bool removeLastMatching(const QString &link);
    void clear();

    int count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }

    // The two equivalences, hashed and compared on the links themselves: a key is never built
    // as a string of its own, so appending and testing a link allocate no text.
    struct MembershipHash {
        std::size_t operator()(const QString &link) const;
    };
    struct MembershipEqual {
        bool operator()(const QString &a, const QString &b) const;
    };
    struct DeletionHash {
        std::size_t operator()(const QString &link) const;
    };
    struct DeletionEqual {
        bool operator()(const QString &a, const QString &b) const;
    };

private:
    void stackPendingEntries();

    // The entries sharing one deletion key; most keys have one, which then costs no list.
    struct Stack {
        QString top;          // the most recently appended
        QList<QString> below; // the older ones, oldest first
    };

    BulkPool m_memory;
    // An entry found in a map stands for every link equivalent to it.
    std::pmr::unordered_map<QString, int, MembershipHash, MembershipEqual> m_membership{&m_memory};
    std::pmr::unordered_map<QString, Stack, DeletionHash, DeletionEqual> m_byDeletionKey{&m_memory};
    // Entries appended since the stacks were last brought up to date, oldest first.
    std::pmr::deque<QString> m_pending{&m_memory};
    int m_count = 0;
};

// The link folded as membership compares it: two links are the same known link exactly when
// their keys are equal. A key is its own key.
QString KnownLinkKey(const QString &link);
