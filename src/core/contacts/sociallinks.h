#pragma once

#include "core/contacts/socialprofile.h"

#include <QString>

#include <array>

// The social profiles of a web site's pages: at most one per network, the first seen.
class SocialLinks {
public:
    // Takes the profile links of one page, in page order.
    void AddFromPage(const QString &page);
    void Clear();
    // The profiles in the networks' order, joined by ";"; empty when there are none.
    QString CellText() const;

private:
    std::array<QString, socialNetworkCount> m_links;
};
