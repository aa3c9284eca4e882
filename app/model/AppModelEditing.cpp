#include "model/AppModel.h"

#include "base/LogCategories.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>

// The learner's edits of the sentences, each one step of the open file's undo history.
//
// A step remembers only the run of sentences it changed, before and after, so that undoing it
// leaves alone whatever came since around that run (recognition filling the list in, marks,
// practice). A step whose run is no longer there, or whose undoing would now overlap a
// neighbour, does nothing and leaves the history.

namespace {

// One edit: `show(true)` shows it done, `show(false)` undone; each gives whether it could.
class EditStep final : public QUndoCommand {
public:
    EditStep(const QString& title, std::function<bool(bool)> show)
        : QUndoCommand(title), m_show(std::move(show)) {}
    void redo() override { setObsolete(!m_show(true)); }
    void undo() override { setObsolete(!m_show(false)); }

private:
    std::function<bool(bool)> m_show;
};

// The same stretch with the same words: what an undo step looks for. Marks and practice may
// have changed since.
bool sameStretch(const Sentence& a, const Sentence& b) {
    return a.start == b.start && a.end == b.end && a.text == b.text && a.edited == b.edited;
}

} // namespace

void AppModel::nudgeEdge(SentenceEdits::Edge edge, int steps) {
    if (!m_session)
        return;
    const bool start = edge == SentenceEdits::Edge::start;
    const QString title = steps < 0 ? (start ? tr("Move Start Earlier") : tr("Move End Earlier"))
                                    : (start ? tr("Move Start Later") : tr("Move End Later"));
    const double duration = m_session->duration;
    pushEdit(title, true, [=, index = m_session->current](std::vector<Sentence>& sentences) {
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
    const std::vector<Sentence>& old = m_session->sentences;
    std::vector<Sentence> changed = old;
    if (!edit(changed))
        return;
    // The run that changed: what the lists do not share at either end.
    const auto [oldEnd, changedEnd] =
        std::mismatch(old.rbegin(), old.rend(), changed.rbegin(), changed.rend());
    const size_t at =
        size_t(std::mismatch(old.begin(), old.end(), changed.begin()).first - old.begin());
    const auto run = [at](const std::vector<Sentence>& list, auto rend) {
        const size_t end = size_t(rend.base() - list.begin());
        return std::vector<Sentence>(list.begin() + qsizetype(std::min(at, end)),
                                     list.begin() + qsizetype(end));
    };
    // The place stays on the edited sentence: the first half of a split, the merged pair.
    const qsizetype offset = std::max<qsizetype>(0, m_session->current - qsizetype(at));
    Run before{run(old, oldEnd), 0};
    Run after{run(changed, changedEnd), 0};
    before.current = std::min(offset, qsizetype(before.sentences.size()) - 1);
    after.current = std::min(offset, qsizetype(after.sentences.size()) - 1);
    m_edits->push(new EditStep(title, [=, this](bool done) {
        return done ? showEdit(before, after, replay) : showEdit(after, before, replay);
    }));
}

bool AppModel::showEdit(const Run& from, const Run& to, bool replay) {
    if (!m_session || from.sentences.empty() || to.sentences.empty())
        return false;
    const std::vector<Sentence>& sentences = m_session->sentences;
    const auto found = std::search(sentences.begin(), sentences.end(), from.sentences.begin(),
                                   from.sentences.end(), sameStretch);
    if (found == sentences.end()) {
        qCDebug(lcModel) << "An edit to sentences that are gone since cannot be undone or redone";
        return false;
    }
    const qsizetype at = found - sentences.begin();
    const qsizetype past = at + qsizetype(from.sentences.size());
    if ((at > 0 && sentences[size_t(at - 1)].end > to.sentences.front().start &&
         to.sentences.front().start < from.sentences.front().start) ||
        (past < qsizetype(sentences.size()) &&
         sentences[size_t(past)].start < to.sentences.back().end &&
         to.sentences.back().end > from.sentences.back().end)) {
        qCDebug(lcModel) << "An edit undone or redone would overlap a sentence found since";
        return false;
    }
    stop();
    const qint64 takeFrom = from.sentences[size_t(from.current)].id();
    const qint64 takeTo = to.sentences[size_t(to.current)].id();
    if (const std::optional<QString> failure = m_sessions.moveTake(*m_session, takeFrom, takeTo))
        setError(*failure);
    changeSession([&](Session& session) {
        std::vector<Sentence> run = to.sentences;
        // Marks and practice given since stay with the sentences they were given to.
        for (Sentence& sentence : run)
            for (auto was = found; was != found + qsizetype(from.sentences.size()); ++was)
                if (was->start == sentence.start && was->end == sentence.end) {
                    sentence.practice = was->practice;
                    sentence.hard = was->hard;
                }
        session.sentences.erase(session.sentences.begin() + at, session.sentences.begin() + past);
        session.sentences.insert(session.sentences.begin() + at, run.begin(), run.end());
        session.current = at + to.current;
    });
    save();
    loadTake();
    if (replay)
        loop();
    return true;
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

std::optional<QString> AppModel::withKeptEdits(std::optional<QString> notice,
                                               qsizetype kept) const {
    if (kept == 0)
        return notice;
    const QString keptNotice = tr("%n sentence(s) you edited were kept.", nullptr, int(kept));
    return notice ? tr("%1 %2", "a notice, then how many edited sentences were kept")
                        .arg(*notice, keptNotice)
                  : keptNotice;
}
