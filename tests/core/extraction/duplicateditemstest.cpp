#include "core/extraction/duplicateditems.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

namespace {

// The plain ordered list the class must behave like, searched linearly.
class ReferenceList {
public:
    void append(const QString &link) { m_entries.append(link); }
    bool contains(const QString &link) const { return m_entries.contains(link, Qt::CaseInsensitive); }
    bool removeLastMatching(const QString &link) {
        const QString key = Key(link);
        for (qsizetype i = m_entries.size() - 1; i >= 0; --i) {
            if (Key(m_entries.at(i)) == key) {
                m_entries.removeAt(i);
                return true;
            }
        }
        return false;
    }
    int count() const { return static_cast<int>(m_entries.size()); }

private:
    static QString Key(const QString &text) {
        QString key;
        for (const QChar c : text.trimmed()) {
            key.append(c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c);
        }
        return key;
    }

    QStringList m_entries;
};

} // namespace

TEST(DuplicatedItemsMembership, IgnoresLetterCase) {
    DuplicatedItems items;
    items.append(QStringLiteral("https://www.linkedin.com/company/Acme"));
    EXPECT_TRUE(items.contains(QStringLiteral("HTTPS://WWW.LINKEDIN.COM/COMPANY/ACME")));
    EXPECT_TRUE(items.contains(QStringLiteral("https://www.linkedin.com/company/acme")));
    EXPECT_FALSE(items.contains(QStringLiteral("https://www.linkedin.com/company/acme2")));
}

TEST(DuplicatedItemsMembership, IgnoresCaseOfNonAsciiLettersToo) {
    DuplicatedItems items;
    items.append(QStringLiteral("https://www.linkedin.com/company/%1").arg(QChar(0x00C9)));
    EXPECT_TRUE(items.contains(QStringLiteral("https://www.linkedin.com/company/%1").arg(QChar(0x00E9))));
}

TEST(DuplicatedItemsMembership, SurroundingBlanksCount) {
    DuplicatedItems items;
    items.append(QStringLiteral("https://www.linkedin.com/company/acme"));
    EXPECT_FALSE(items.contains(QStringLiteral(" https://www.linkedin.com/company/acme")));
}

// The key stands for membership: equal keys exactly when the list would call the links the same.
TEST(DuplicatedItemsMembership, KnownLinkKeysAgreeWithMembership) {
    const QString links[] = {QStringLiteral("https://x/Acme"),
                             QStringLiteral("HTTPS://X/ACME"),
                             QStringLiteral(" https://x/acme"),
                             QStringLiteral("https://x/%1").arg(QChar(0x00C9)),
                             QStringLiteral("https://x/%1").arg(QChar(0x00E9)),
                             QStringLiteral("https://x/e")};
    for (const QString &a : links) {
        DuplicatedItems items;
        items.append(a);
        for (const QString &b : links) {
            EXPECT_EQ(KnownLinkKey(a) == KnownLinkKey(b), items.contains(b)) << a.toStdString() << b.toStdString();
        }
        EXPECT_EQ(KnownLinkKey(KnownLinkKey(a)), KnownLinkKey(a));
    }
}

TEST(DuplicatedItemsRemoval, MatchesTrimmedAndUpperCased) {
    DuplicatedItems items;
    items.append(QStringLiteral("  https://www.linkedin.com/company/acme\t"));
    EXPECT_TRUE(items.removeLastMatching(QStringLiteral("HTTPS://WWW.LINKEDIN.COM/COMPANY/ACME")));
    EXPECT_TRUE(items.isEmpty());
    EXPECT_FALSE(items.contains(QStringLiteral("  https://www.linkedin.com/company/acme\t")));
}

TEST(DuplicatedItemsRemoval, TakesTheMostRecentMatchingEntryOnly) {
    DuplicatedItems items;
    items.append(QStringLiteral("https://l.example/acme"));
    items.append(QStringLiteral("https://l.example/other"));
    items.append(QStringLiteral(" HTTPS://L.EXAMPLE/ACME"));
    EXPECT_TRUE(items.removeLastMatching(QStringLiteral("https://l.example/acme")));
    EXPECT_EQ(items.count(), 2);
    EXPECT_TRUE(items.contains(QStringLiteral("https://l.example/acme")));
    EXPECT_FALSE(items.contains(QStringLiteral(" https://l.example/acme")));
    EXPECT_TRUE(items.contains(QStringLiteral("https://l.example/other")));
}

TEST(DuplicatedItemsRemoval, UpperCasesAsciiLettersOnly) {
    DuplicatedItems items;
    items.append(QStringLiteral("https://l.example/%1").arg(QChar(0x00C9)));
    EXPECT_FALSE(items.removeLastMatching(QStringLiteral("https://l.example/%1").arg(QChar(0x00E9))));
    EXPECT_EQ(items.count(), 1);
}

TEST(DuplicatedItemsRemoval, UnknownLinkRemovesNothing) {
    DuplicatedItems items;
    items.append(QStringLiteral("https://l.example/acme"));
    EXPECT_FALSE(items.removeLastMatching(QStringLiteral("https://l.example/acm")));
    EXPECT_FALSE(items.removeLastMatching(QString()));
    EXPECT_EQ(items.count(), 1);
}

TEST(DuplicatedItemsRemoval, ClearForgetsEverything) {
    DuplicatedItems items;
    items.append(QStringLiteral("https://l.example/a"));
    items.append(QStringLiteral("https://l.example/b"));
    items.clear();
    EXPECT_TRUE(items.isEmpty());
    EXPECT_FALSE(items.contains(QStringLiteral("https://l.example/a")));
    EXPECT_FALSE(items.removeLastMatching(QStringLiteral("https://l.example/b")));
}

// Random appends and removals over a few spellings of the same links, compared after every step
// with the ordered list on every spelling.
TEST(DuplicatedItemsOrderedListBehaviour, MatchesTheOrderedListOverRandomOperations) {
    const QStringList spellings = {
        QStringLiteral("https://l.example/acme"),
        QStringLiteral("HTTPS://L.EXAMPLE/ACME"),
        QStringLiteral(" https://l.example/Acme"),
        QStringLiteral("https://l.example/acme "),
        QStringLiteral("https://l.example/beta"),
        QStringLiteral("https://l.example/BETA\t"),
        QStringLiteral(""),
        QStringLiteral(" "),
    };
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(spellings.size()) - 1);
    std::bernoulli_distribution appendNext(0.55);

    DuplicatedItems items;
    ReferenceList reference;
    for (int step = 0; step < 4000; ++step) {
        const QString &link = spellings.at(pick(random));
        if (step % 997 == 996) {
            items.clear();
            reference = ReferenceList();
        } else if (appendNext(random)) {
            items.append(link);
            reference.append(link);
        } else {
            ASSERT_EQ(items.removeLastMatching(link), reference.removeLastMatching(link)) << "step " << step;
        }
        ASSERT_EQ(items.count(), reference.count()) << "step " << step;
        for (const QString &probe : spellings) {
            ASSERT_EQ(items.contains(probe), reference.contains(probe))
                << "step " << step << " probe '" << probe.toStdString() << "'";
        }
    }
}
