#include "ui/SentenceListModel.h"

#include <algorithm>

void SentenceListModel::setRows(std::vector<SentenceRow> rows) {
    const bool sameNumbers =
        rows.size() == m_rows.size() &&
        std::equal(rows.begin(), rows.end(), m_rows.begin(),
                   [](const SentenceRow& a, const SentenceRow& b) { return a.number == b.number; });
    if (!sameNumbers) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
        return;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] == m_rows[i])
            continue;
        m_rows[i] = std::move(rows[i]);
        const QModelIndex changed = index(static_cast<int>(i));
        Q_EMIT dataChanged(changed, changed);
    }
}

std::optional<int> SentenceListModel::rowOf(qsizetype sentenceIndex) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].number - 1 == sentenceIndex)
            return static_cast<int>(i);
    return std::nullopt;
}

int SentenceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant SentenceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || size_t(index.row()) >= m_rows.size())
        return {};
    const SentenceRow& row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.title();
    case Qt::ToolTipRole:
        return row.hasText() ? QVariant(row.title()) : QVariant();
    case Qt::AccessibleTextRole:
        return row.accessibilityLabel();
    case NumberRole:
        return row.number;
    case IndexRole:
        return QVariant::fromValue(qsizetype(row.number - 1));
    case DetailRole:
        return row.detail();
    case HardRole:
        return row.sentence.hard;
    case HasTextRole:
        return row.hasText();
    case FadedRole:
        return row.faded;
    default:
        return {};
    }
}
