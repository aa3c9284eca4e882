#pragma once

#include "ui/SentenceRow.h"

#include <QAbstractListModel>

#include <vector>

// The rows of the sentence list as an item model for the list view and its delegate.
class SentenceListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        NumberRole = Qt::UserRole + 1, // int, 1-based
        IndexRole,                     // qsizetype index into the session's sentences
        DetailRole,                    // QString
        HardRole,                      // bool
        HasTextRole,                   // bool
        FadedRole,                     // bool: recognised text that is probably wrong
    };

    using QAbstractListModel::QAbstractListModel;

    // Replaces the rows. When the same sentences are listed (the same numbers) only the rows
    // that changed are redrawn, so the view keeps its scroll position and selection.
    void setRows(std::vector<SentenceRow> rows);
    const std::vector<SentenceRow>& rows() const { return m_rows; }
    // The list row showing the sentence at `index`, if it is listed.
    std::optional<int> rowOf(qsizetype index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<SentenceRow> m_rows;
};
