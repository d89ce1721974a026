#pragma once

// The evaluation browser's column criteria: name=value pairs, at most one per column. The value is
// one digit giving the kind of comparison followed by the criterion text (trimmed, upper case).

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace kestrova {

class RowContext;

enum class CriterionKind { EqualTo = 0, StartsWith = 1, Contains = 2, AtLeast = 3, AtMost = 4 };

class CriteriaList
{
public:
    bool isEmpty() const { return m_items.empty(); }
    int count() const { return int(m_items.size()); }
    void clear() { m_items.clear(); }
    // Names compare ignoring case; an empty value removes the pair.
    QString value(const QString &name) const;
    bool contains(const QString &name) const;
    void setValue(const QString &name, const QString &value);
    // The criterion is stored trimmed and upper-cased; a blank one removes the column's criterion.
    void set(const QString &name, CriterionKind kind, const QString &criterion);
    void remove(const QString &name);
    const std::vector<std::pair<QString, QString>> &items() const { return m_items; }

private:
    std::vector<std::pair<QString, QString>> m_items;
};

// Whether the row meets every criterion, comparing as the evaluation list does: lookup columns
// by their looked-up text, real columns by number (a criterion that is not a number removes
// itself from the list), every other column by its display text.
bool RowMeetsCriteria(const RowContext &row, CriteriaList &criteria);

} // namespace kestrova
