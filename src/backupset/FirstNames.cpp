#include "FirstNames.h"

#include <algorithm>
#include <iterator>

bool walkOrder(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

FirstNames::FirstNames(qsizetype limit)
    : m_limit(std::max<qsizetype>(limit, 0))
{
}

void FirstNames::offer(QString name)
{
    ++m_offered;
    if (held() < m_limit) {
        m_names.push_back(std::move(name));
        if (held() == m_limit)
            std::make_heap(m_names.begin(), m_names.end(), walkOrder);
        return;
    }
    if (m_limit == 0 || !walkOrder(name, m_names.front()))
        return;
    std::pop_heap(m_names.begin(), m_names.end(), walkOrder);
    m_names.back() = std::move(name);
    std::push_heap(m_names.begin(), m_names.end(), walkOrder);
}

std::optional<QStringList> FirstNames::takeSorted(const std::function<bool()>& keepGoing)
{
    // Fewer than limit names are not a heap yet.
    if (held() < m_limit)
        std::make_heap(m_names.begin(), m_names.end(), walkOrder);
    for (auto end = m_names.end(); end != m_names.begin(); --end) {
        std::pop_heap(m_names.begin(), end, walkOrder);
        if (keepGoing && !keepGoing()) {
            m_names = {};
            return std::nullopt;
        }
    }
    QStringList names(std::make_move_iterator(m_names.begin()), std::make_move_iterator(m_names.end()));
    m_names = {};
    return names;
}
