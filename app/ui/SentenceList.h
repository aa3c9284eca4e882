#pragma once

#include "ui/SentenceRow.h"

class AppModel;

#include <QWidget>

#include <optional>
#include <vector>

class Placeholder;
class QListView;
class QMenu;
class QModelIndex;
class SentenceListModel;
class SplitStatus;
struct Session;

// The sidebar while a file is open: the sentences practised now (all, or only the hard ones),
// single selection with the mouse or the arrow keys, a context menu to mark a sentence hard or
// edit its text, a placeholder when there is nothing to list, and the split status at its foot.
class SentenceList final : public QWidget {
    Q_OBJECT

public:
    enum class Empty { none, noHardSentences, noSentences };

    explicit SentenceList(QWidget* parent = nullptr);
    // Shows the model's session and calls its operations.
    explicit SentenceList(AppModel& model, QWidget* parent = nullptr);

    // The rows to list and the session's current index (selected when it is listed).
    void setRows(std::vector<SentenceRow> rows, std::optional<qsizetype> current);
    void setEmpty(Empty empty);
    SplitStatus* splitStatus() const { return m_status; }
    QListView* listView() const { return m_list; }
    const Placeholder* placeholder() const { return m_placeholder; }

    // What shows over an empty list: the hard-only placeholder even while sentences are still
    // being found, nothing while the file opens, else "No sentences found".
    static Empty emptyState(bool listEmpty, bool hardOnly, bool opening);
    // One row per visible index, numbered from the whole list; indices outside it are skipped.
    static std::vector<SentenceRow> rows(const std::vector<Sentence>& sentences,
                                         const std::vector<qsizetype>& visible);
    // Fades the rows whose recognised text the session's learner should doubt.
    static void fadeDoubtful(std::vector<SentenceRow>& rows, const Session& session);

    // The context menu of a row: "Mark Hard" or "Unmark Hard", and "Edit Text…".
    QMenu* contextMenu(const QModelIndex& index);

Q_SIGNALS:
    void selectRequested(qsizetype index);
    void toggleHardRequested(qsizetype index);
    void editTextRequested(qsizetype index);

private:
    void showModel();
    void selectionChanged();
    void showContextMenu(const QPoint& position);

    QListView* m_list;
    SentenceListModel* m_rows;
    Placeholder* m_placeholder;
    SplitStatus* m_status;
    AppModel* m_model = nullptr;
    bool m_updating = false;
};
