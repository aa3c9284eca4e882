#include "ui/SentenceList.h"

#include "base/TextConfidence.h"
#include "model/AppModel.h"
#include "speech/Transcriber.h"
#include "ui/Placeholder.h"
#include "ui/SentenceListModel.h"
#include "ui/SentenceRowDelegate.h"
#include "ui/SplitStatus.h"

#include <QFrame>
#include <QGridLayout>
#include <QListView>
#include <QMenu>
#include <QVBoxLayout>

namespace {

// The language a split method names: its text's (empty when unknown), else the one recognised in.
QString methodLanguage(const SplitMethod& method, const QString& recognised) {
    if (const std::optional<SplitMethod::TextSource> text = method.textSource())
        return text->language;
    return method.language().value_or(recognised);
}

} // namespace

SentenceList::SentenceList(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* stack = new QGridLayout;
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("sentences"));
    m_rows = new SentenceListModel(this);
    m_list->setModel(m_rows);
    m_list->setItemDelegate(new SentenceRowDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setUniformItemSizes(false);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setAccessibleName(tr("Sentences"));
    stack->addWidget(m_list, 0, 0);
    m_placeholder = new Placeholder(this);
    m_placeholder->hide();
    stack->addWidget(m_placeholder, 0, 0);
    layout->addLayout(stack, 1);

    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setForegroundRole(QPalette::Mid);
    layout->addWidget(divider);
    m_status = new SplitStatus(this);
    layout->addWidget(m_status);

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SentenceList::selectionChanged);
    connect(m_list, &QListView::customContextMenuRequested, this, &SentenceList::showContextMenu);
}

SentenceList::SentenceList(AppModel& model, QWidget* parent) : SentenceList(parent) {
    m_model = &model;
    for (auto changed : {&AppModel::sessionChanged, &AppModel::splittingChanged,
                         &AppModel::noticeChanged, &AppModel::languageChanged})
        connect(m_model, changed, this, &SentenceList::showModel);
    connect(this, &SentenceList::selectRequested, m_model,
            [this](qsizetype index) { m_model->select(index); });
    connect(this, &SentenceList::toggleHardRequested, m_model,
            [this](qsizetype index) { m_model->toggleHard(index); });
    showModel();
}

void SentenceList::showModel() {
    const std::optional<Session>& session = m_model->session();
    const AppModel::Splitting splitting = m_model->splitting();
    using Kind = AppModel::Splitting::Kind;
    const std::vector<qsizetype> visible = session ? session->visible() : std::vector<qsizetype>();
    std::vector<SentenceRow> listed =
        session ? rows(session->sentences, visible) : std::vector<SentenceRow>();
    if (session)
        fadeDoubtful(listed, *session);
    setRows(std::move(listed), session ? std::optional(session->current) : std::nullopt);
    setEmpty(emptyState(m_rows->rowCount() == 0, session && session->hardOnly,
                        splitting.kind == Kind::opening));

    switch (splitting.kind) {
    case Kind::listening:
        m_status->showListening(splitting.seconds, session ? session->duration : 0,
                                Transcriber::displayName(m_model->language()));
        break;
    case Kind::aligning:
        m_status->showAligning(splitting.seconds, session ? session->duration : 0);
        break;
    case Kind::opening:
        m_status->showOpening();
        break;
    case Kind::idle:
    case Kind::done:
        if (session)
            m_status->showMethod(
                qsizetype(session->sentences.size()), session->method,
                Transcriber::displayName(methodLanguage(session->method, m_model->language())));
        else
            m_status->showNothing();
        break;
    }
    m_status->setNotice(m_model->notice());
}

void SentenceList::setRows(std::vector<SentenceRow> rows, std::optional<qsizetype> current) {
    m_updating = true;
    m_rows->setRows(std::move(rows));
    const std::optional<int> row = current ? m_rows->rowOf(*current) : std::nullopt;
    if (row) {
        // Only a new current sentence moves the list: progress and saves redraw the rows while
        // the user may be scrolling elsewhere.
        const QModelIndex index = m_rows->index(*row);
        if (m_list->currentIndex() != index || !m_list->selectionModel()->isSelected(index)) {
            m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            m_list->scrollTo(index);
        }
    } else {
        m_list->selectionModel()->clearSelection();
    }
    m_updating = false;
}

void SentenceList::setEmpty(Empty empty) {
    switch (empty) {
    case Empty::none:
        m_placeholder->hide();
        break;
    case Empty::noHardSentences:
        m_placeholder->present(
            QStringLiteral("star"), tr("No hard sentences yet"),
            tr("Mark a sentence hard with Ctrl+D or its star, then practise only those."));
        break;
    case Empty::noSentences:
        m_placeholder->present(QStringLiteral("waveform.slash"), tr("No sentences found"),
                               tr("This file seems to be silent."));
        break;
    }
}

SentenceList::Empty SentenceList::emptyState(bool listEmpty, bool hardOnly, bool opening) {
    if (!listEmpty)
        return Empty::none;
    if (hardOnly)
        return Empty::noHardSentences;
    return opening ? Empty::none : Empty::noSentences;
}

std::vector<SentenceRow> SentenceList::rows(const std::vector<Sentence>& sentences,
                                            const std::vector<qsizetype>& visible) {
    std::vector<SentenceRow> rows;
    rows.reserve(visible.size());
    for (const qsizetype index : visible)
        if (index >= 0 && size_t(index) < sentences.size())
            rows.push_back({static_cast<int>(index + 1), sentences[size_t(index)]});
    return rows;
}

void SentenceList::fadeDoubtful(std::vector<SentenceRow>& rows, const Session& session) {
    const bool reliable = TextConfidence::textReliable(session.sentences);
    for (SentenceRow& row : rows)
        row.faded = TextConfidence::isFaded(row.sentence, reliable, session.showUncertainText);
}

void SentenceList::selectionChanged() {
    if (m_updating)
        return;
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    // Clearing the selection chooses nothing.
    if (selected.isEmpty())
        return;
    Q_EMIT selectRequested(selected.first().data(SentenceListModel::IndexRole).value<qsizetype>());
}

QMenu* SentenceList::contextMenu(const QModelIndex& index) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const qsizetype sentence = index.data(SentenceListModel::IndexRole).value<qsizetype>();
    const bool hard = index.data(SentenceListModel::HardRole).toBool();
    menu->addAction(hard ? tr("Unmark Hard") : tr("Mark Hard"), this,
                    [this, sentence] { Q_EMIT toggleHardRequested(sentence); });
    menu->addAction(tr("Edit Text…"), this,
                    [this, sentence] { Q_EMIT editTextRequested(sentence); })
        ->setShortcut(QKeySequence(Qt::Key_F2)); // named here, the Edit menu's key
    return menu;
}

void SentenceList::showContextMenu(const QPoint& position) {
    const QModelIndex index = m_list->indexAt(position);
    if (index.isValid())
        contextMenu(index)->popup(m_list->viewport()->mapToGlobal(position));
}
