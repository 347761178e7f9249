#include "samplesite/startvariation.h"

namespace {

// More than the roles any page uses.
constexpr int poolSize = 64;
constexpr int nameLength = 14;
constexpr QStringView consonants = u"bcdfghjklmnpqrstvwxzBCDFGHJKLMNPQRSTVWXZ";

} // namespace

StartVariation::StartVariation() : m_random(QRandomGenerator::system()->generate()) {
    while (m_names.size() < poolSize) {
        QString name;
        for (int i = 0; i < nameLength; ++i) {
            name += consonants[m_random.bounded(int(consonants.size()))];
        }
        if (!m_names.contains(name)) {
            m_names.append(name);
        }
    }
}

QString StartVariation::ClassName(int role) const {
    return m_names.at(role % poolSize);
}

int StartVariation::DrawDelay(int minimumMs, int maximumMs) const {
    const std::lock_guard lock(m_mutex);
    return m_random.bounded(minimumMs, maximumMs + 1);
}
