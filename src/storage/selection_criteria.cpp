#include "selection_criteria.h"

#include "cursor.h"
#include "formatting.h"

namespace kestrova {

namespace {

auto find(std::vector<std::pair<QString, QString>> &items, const QString &name)
{
    return std::find_if(items.begin(), items.end(),
                        [&](const auto &p) { return p.first.compare(name, Qt::CaseInsensitive) == 0; });
}

// Text comparisons shared by lookup and plain columns; kinds 3 and 4 compare character codes.
bool CompareText(const QString &text, int kind, const QString &criterion)
{
    switch (kind) {
    case 0:
        return text.compare(criterion, Qt::CaseInsensitive) == 0;
    case 1:
        return text.left(criterion.size()).compare(criterion, Qt::CaseInsensitive) == 0;
    case 2:
        return text.toUpper().contains(criterion);
    case 3:
        return QString::compare(text, criterion, Qt::CaseSensitive) >= 0;
    case 4:
        return QString::compare(text, criterion, Qt::CaseSensitive) <= 0;
    default:
        return false;
    }
}

} // namespace

QString CriteriaList::value(const QString &name) const
{
    for (const auto &[n, v] : m_items)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    return QString();
}

bool CriteriaList::contains(const QString &name) const
{
    return !value(name).isEmpty();
}

void CriteriaList::setValue(const QString &name, const QString &value)
{
    if (value.isEmpty()) {
        remove(name);
        return;
    }
    const auto it = find(m_items, name);
    if (it == m_items.end())
        m_items.emplace_back(name, value);
    else
        it->second = value;
}

void CriteriaList::set(const QString &name, CriterionKind kind, const QString &criterion)
{
    // A blank value means "no criterion": kept as a bare digit it would hide every row with text.
    const QString value = criterion.trimmed().toUpper();
    if (value.isEmpty()) {
        remove(name);
        return;
    }
    setValue(name, QString::number(int(kind)) + value);
}

void CriteriaList::remove(const QString &name)
{
    const auto it = find(m_items, name);
    if (it != m_items.end())
        m_items.erase(it);
}

bool RowMeetsCriteria(const RowContext &row, CriteriaList &criteria)
{
    bool accepted = true;
    const Cursor &cursor = row.cursor();
    for (int f = 0; f < cursor.fieldCount(); ++f) {
        const FieldDef &field = cursor.field(f);
        const QString stored = criteria.value(field.name);
        if (stored.isEmpty())
            continue;
        const int kind = stored.at(0).digitValue();
        const QString criterion = stored.mid(1);
        bool holds = false;
        if (field.role == FieldRole::Lookup) {
            holds = CompareText(PlainText(row.value(f), field.kind), kind, criterion);
        } else if (field.kind == FieldKind::Double) {
            const auto number = TryParseDecimal(criterion);
            if (!number) {
                criteria.remove(field.name);
                return accepted;
            }
            const QVariant v = row.value(f);
            const double value = v.isNull() ? 0.0 : v.toDouble();
            switch (kind) {
            case 0:
                holds = value == *number;
                break;
            case 1:
                holds = row.displayText(f).trimmed().startsWith(criterion);
                break;
            case 2:
                holds = row.displayText(f).contains(criterion);
                break;
            case 3:
                holds = value >= *number;
                break;
            case 4:
                holds = value <= *number;
                break;
            default:
                holds = false;
            }
        } else {
            holds = CompareText(row.displayText(f), kind, criterion);
        }
        accepted = accepted && holds;
    }
    return accepted;
}

} // namespace kestrova
