#include "core/extraction/duplicateditems.h"

#include <algorithm>
#include <utility>

void DuplicatedItems::append(const QString &link) {
    ++m_membership[MembershipKey(link)];
    const QString key = DeletionKey(link);
    const auto stack = m_byDeletionKey.find(key);
    if (stack == m_byDeletionKey.end()) {
        m_byDeletionKey.insert(key, {link, {}});
    } else {
        stack->below.append(std::exchange(stack->top, link));
    }
    ++m_count;
}

bool DuplicatedItems::contains(const QString &link) const {
    return m_membership.contains(MembershipKey(link));
}

bool DuplicatedItems::removeLastMatching(const QString &link) {
    const auto stack = m_byDeletionKey.find(DeletionKey(link));
    if (stack == m_byDeletionKey.end()) {
        return false;
    }
    QString removed;
    if (stack->below.isEmpty()) {
        removed = std::move(stack->top);
        m_byDeletionKey.erase(stack);
    } else {
        removed = std::exchange(stack->top, stack->below.takeLast());
    }
    const auto members = m_membership.find(MembershipKey(removed));
    if (--*members == 0) {
        m_membership.erase(members);
    }
    --m_count;
    return true;
}

void DuplicatedItems::clear() {
    m_membership.clear();
    m_byDeletionKey.clear();
    m_count = 0;
}

QString DuplicatedItems::MembershipKey(const QString &link) {
    return link.toCaseFolded();
}

QString DuplicatedItems::DeletionKey(const QString &link) {
    QString key = link.trimmed();
    const auto isLower = [](QChar c) {
        return c >= u'a' && c <= u'z';
    };
    // Only a key that changes is detached and written.
    if (std::any_of(key.cbegin(), key.cend(), isLower)) {
        for (QChar &c : key) {
            if (isLower(c)) {
                c = QChar(c.unicode() - u'a' + u'A');
            }
        }
    }
    return key;
}
