#pragma once

#include <QHash>
#include <QList>
#include <QString>

// The links of every listed row, in the order they were appended. Behaves exactly like that
// ordered list, but every operation is O(1): entries are only ever appended at the end, and
// removal always takes the most recently appended entry with a given deletion key, so one stack
// per deletion key reproduces "search from the last entry towards the first".
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

    static QString MembershipKey(const QString &link);
    static QString DeletionKey(const QString &link);

private:
    // The entries sharing one deletion key; most keys have one, which then costs no list.
    struct Stack {
        QString top;          // the most recently appended
        QList<QString> below; // the older ones, oldest first
    };

    QHash<QString, int> m_membership;      // membership key -> number of entries
    QHash<QString, Stack> m_byDeletionKey; // deletion key -> its entries
    int m_count = 0;
};
