#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// The order of names within one folder of a walk: letter case ignored, ties
// in character order, so the order never depends on the disk.
bool walkOrder(const QString& a, const QString& b);

// The first names in walk order out of any number offered one at a time,
// holding no more than limit of them at any moment: a folder of a million
// files costs no more memory than the names the set still has room for.
class FirstNames {
public:
    explicit FirstNames(qsizetype limit);

    void offer(QString name);
    // Every name offered so far, kept or not.
    qsizetype offered() const { return m_offered; }
    qsizetype held() const { return static_cast<qsizetype>(m_names.size()); }
    // The names kept, in walk order; nothing is held afterwards. Putting tens
    // of thousands of names in order takes a while, so keepGoing is asked
    // after each name; nullopt when it answered false.
    std::optional<QStringList> takeSorted(const std::function<bool()>& keepGoing = {});

private:
    qsizetype m_limit;
    qsizetype m_offered = 0;
    // Once limit names are held, a heap whose top is the last of them in walk order.
    std::vector<QString> m_names;
};
