#include "model/AppModel.h"

#include "base/LogCategories.h"

#include <QHash>
#include <QUndoCommand>
#include <QUndoStack>

// The learner's edits of the sentences, each one step of the open file's undo history.

namespace {

// One edit: `show(true)` shows it done, `show(false)` undone.
class EditStep final : public QUndoCommand {
public:
    EditStep(const QString& title, std::function<void(bool)> show)
        : QUndoCommand(title), m_show(std::move(show)) {}
    void redo() override { m_show(true); }
    void undo() override { m_show(false); }

private:
    std::function<void(bool)> m_show;
};

} // namespace

void AppModel::nudgeEdge(SentenceEdits::Edge edge, int steps) {
    if (!m_session)
        return;
    const bool start = edge == SentenceEdits::Edge::start;
    const QString title = steps < 0 ? (start ? tr("Move Start Earlier") : tr("Move End Earlier"))
                                    : (start ? tr("Move Start Later") : tr("Move End Later"));
    const qsizetype index = m_session->current;
    const double duration = m_session->duration;
    pushEdit(title, true, [=](std::vector<Sentence>& sentences) {
        return SentenceEdits::nudge(sentences, index, edge, steps, duration);
    });
}

void AppModel::splitSentence() {
    const std::optional<Sentence> sentence =
        m_session ? m_session->currentSentence() : std::nullopt;
    if (!sentence || !m_profile)
        return;
    const double near = playhead(*sentence).value_or(sentence->middle());
    pushEdit(tr("Split Sentence"), false,
             [index = m_session->current, near, this](std::vector<Sentence>& sentences) {
                 return SentenceEdits::split(sentences, index, near, *m_profile);
             });
}

void AppModel::mergeWithNext() {
    if (!m_session)
        return;
    pushEdit(tr("Merge Sentences"), false, [index = m_session->current](auto& sentences) {
        return SentenceEdits::mergeWithNext(sentences, index);
    });
}

void AppModel::editText(const QString& text, std::optional<qsizetype> index) {
    if (!m_session)
        return;
    pushEdit(tr("Edit Text"), false,
             [index = index.value_or(m_session->current), text](auto& sentences) {
                 return SentenceEdits::setText(sentences, index, text);
             });
}

void AppModel::pushEdit(const QString& title, bool replay, const SentenceEdit& edit) {
    if (!m_session || !m_session->currentSentence())
        return;
    Edited before{m_session->sentences, m_session->current};
    Edited after = before;
    if (!edit(after.sentences))
        return;
    // The place stays on the edited sentence: the first half of a split, the merged pair.
    const qint64 beforeId = before.sentences[size_t(before.current)].id();
    const qint64 afterId = after.sentences[size_t(after.current)].id();
    m_edits->push(new EditStep(title, [=, this](bool done) {
        done ? showEdit(after, beforeId, replay) : showEdit(before, afterId, replay);
    }));
}

void AppModel::showEdit(const Edited& edited, qint64 takeFrom, bool replay) {
    if (!m_session)
        return;
    stop();
    const Sentence& current = edited.sentences[size_t(edited.current)];
    if (const std::optional<QString> failure =
            m_sessions.moveTake(*m_session, takeFrom, current.id()))
        setError(*failure);
    changeSession([&edited](Session& session) {
        // Practice and marks given since the edit stay with the sentences they were given to.
        QHash<qint64, const Sentence*> now;
        for (const Sentence& sentence : session.sentences)
            now.insert(sentence.id(), &sentence);
        std::vector<Sentence> sentences = edited.sentences;
        for (Sentence& sentence : sentences)
            if (const Sentence* same = now.value(sentence.id());
                same && same->end == sentence.end) {
                sentence.practice = same->practice;
                sentence.hard = same->hard;
            }
        session.sentences = std::move(sentences);
        session.current = edited.current;
    });
    save();
    loadTake();
    if (replay)
        loop();
}

std::optional<double> AppModel::playhead(const Sentence& sentence) const {
    using Kind = Phase::Kind;
    if (m_phase.kind != Kind::playing && m_phase.kind != Kind::original &&
        m_phase.kind != Kind::listenFirst)
        return std::nullopt;
    const double played = double(m_phaseStart.msecsTo(QDateTime::currentDateTimeUtc())) / 1000 *
                          effectiveSettings().rate;
    if (played <= 0 || played >= sentence.duration())
        return std::nullopt;
    return sentence.start + played;
}

void AppModel::takeSentences(std::vector<Sentence> sentences, SplitMethod method,
                             std::optional<QString> notice) {
    qsizetype kept = 0;
    changeSession([&](Session& session) {
        kept = session.replaceSentences(std::move(sentences), std::move(method));
    });
    // Undoing an edit restores the sentences it was made on, which are gone now.
    m_edits->clear();
    if (kept > 0) {
        const QString keptNotice = tr("%n sentence(s) you edited were kept.", nullptr, int(kept));
        notice = notice ? *notice + u' ' + keptNotice : keptNotice;
    }
    setNotice(std::move(notice));
}
