#include "core/extraction/duplicateditems.h"

#include <QHashFunctions>
#include <QVarLengthArray>

#include <cstring>
#include <utility>

namespace {

// A link with its letters folded, on the stack as long as links are as short as they are.
using Folded = QVarLengthArray<char16_t, 256>;

// ASCII letters from First on, folded by Shift: upper to lower case or lower to upper.
struct ToLower {
    static constexpr char16_t First = u'A';
    static constexpr char16_t Shift = u'a' - u'A';
};
struct ToUpper {
    static constexpr char16_t First = u'a';
    static constexpr char16_t Shift = char16_t(u'A' - u'a');
};

// Folds Chunk units into out and tells whether one of them lies beyond ASCII. Written so that
// the compiler turns the loop into vector instructions.
constexpr qsizetype Chunk = 16;
template<typename Fold>
bool FoldChunk(const char16_t *in, char16_t *out) {
    char16_t folded[Chunk];
    char16_t beyond = 0;
    for (qsizetype k = 0; k < Chunk; ++k) {
        const char16_t c = in[k];
        folded[k] = char16_t(c + (char16_t(c - Fold::First) < 26 ? Fold::Shift : 0));
        beyond |= char16_t(c >= 0x80);
    }
    std::memcpy(out, folded, sizeof folded);
    return beyond != 0;
}

// The text with its ASCII letters folded; true when all of it is ASCII.
template<typename Fold>
bool FoldAscii(QStringView text, Folded &out) {
    const char16_t *in = text.utf16();
    const qsizetype size = text.size();
    out.resize(size);
    if (size < Chunk) {
        bool beyond = false;
        for (qsizetype i = 0; i < size; ++i) {
            out[i] = char16_t(in[i] + (char16_t(in[i] - Fold::First) < 26 ? Fold::Shift : 0));
            beyond |= in[i] >= 0x80;
        }
        return !beyond;
    }
    bool beyond = false;
    for (qsizetype i = 0; i + Chunk <= size; i += Chunk) {
        beyond |= FoldChunk<Fold>(in + i, out.data() + i);
    }
    // The last chunk may overlap the one before: its units are simply folded again.
    return !(beyond || FoldChunk<Fold>(in + size - Chunk, out.data() + size - Chunk));
}

std::size_t Hash(QStringView text) {
    return qHash(text, QHashSeed::globalSeed());
}

QStringView View(const Folded &folded) {
    return QStringView(folded.data(), folded.size());
}

} // namespace

// Links are ASCII as a rule, and there case folding is ASCII lower-casing; any other text is
// folded by Qt, so both ways agree wherever they meet.
std::size_t DuplicatedItems::MembershipHash::operator()(const QString &link) const {
    Folded folded;
    return FoldAscii<ToLower>(link, folded) ? Hash(View(folded)) : Hash(link.toCaseFolded());
}

bool DuplicatedItems::MembershipEqual::operator()(const QString &a, const QString &b) const {
    Folded foldedA;
    Folded foldedB;
    if (FoldAscii<ToLower>(a, foldedA) && FoldAscii<ToLower>(b, foldedB)) {
        return View(foldedA) == View(foldedB);
    }
    return a.toCaseFolded() == b.toCaseFolded();
}

QString KnownLinkKey(const QString &link) {
    Folded folded;
    return FoldAscii<ToLower>(link, folded) ? View(folded).toString() : link.toCaseFolded();
}

std::size_t DuplicatedItems::DeletionHash::operator()(const QString &link) const {
    Folded folded;
    FoldAscii<ToUpper>(QStringView(link).trimmed(), folded);
    return Hash(View(folded));
}

bool DuplicatedItems::DeletionEqual::operator()(const QString &a, const QString &b) const {
    Folded foldedA;
    Folded foldedB;
    FoldAscii<ToUpper>(QStringView(a).trimmed(), foldedA);
    FoldAscii<ToUpper>(QStringView(b).trimmed(), foldedB);
    return View(foldedA) == View(foldedB);
}

void DuplicatedItems::append(const QString &link) {
    ++m_membership.try_emplace(link, 0).first->second;
    m_pending.push_back(link);
    ++m_count;
}

void DuplicatedItems::stackPendingEntries() {
    if (m_pending.empty()) {
        return;
    }
    // At most one new key per entry: one rehash at most, however many entries wait.
    m_byDeletionKey.reserve(m_byDeletionKey.size() + m_pending.size());
    for (QString &link : m_pending) {
        const auto [stack, added] = m_byDeletionKey.try_emplace(link, Stack{link, {}});
        if (!added) {
            stack->second.below.append(std::exchange(stack->second.top, std::move(link)));
        }
    }
    m_pending.clear();
}

bool DuplicatedItems::contains(const QString &link) const {
    return m_membership.contains(link);
}

bool DuplicatedItems::removeLastMatching(const QString &link) {
    stackPendingEntries();
    const auto stack = m_byDeletionKey.find(link);
    if (stack == m_byDeletionKey.end()) {
        return false;
    }
    QString removed;
    if (stack->second.below.isEmpty()) {
        removed = std::move(stack->second.top);
        m_byDeletionKey.erase(stack);
    } else {
        removed = std::exchange(stack->second.top, stack->second.below.takeLast());
    }
    const auto members = m_membership.find(removed);
    if (--members->second == 0) {
        m_membership.erase(members);
    }
    --m_count;
    return true;
}

void DuplicatedItems::clear() {
    m_membership.clear();
    m_byDeletionKey.clear();
    m_pending.clear();
    m_count = 0;
}
