#include "core/extraction/duplicateditems.h"

void DuplicatedItems::append(const QString &link) {
    ++m_membership[MembershipKey(link)];
    m_byDeletionKey[DeletionKey(link)].append(link);
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
    const QString removed = stack->takeLast();
    if (stack->isEmpty()) {
        m_byDeletionKey.erase(stack);
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
    for (QChar &c : key) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - u'a' + u'A');
        }
    }
    return key;
}
