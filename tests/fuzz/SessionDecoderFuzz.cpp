// libFuzzer target for reading session files: the same bytes-to-session path that
// SessionStore::load takes. Built by scripts/fuzz in a clang build of its own.

#include "session/Session.h"
#include "session/SessionFileError.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "SessionDecoderFuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<Session> session = Session::decoded(bytes);
    if (!session)
        return 0;

    // Whatever reads as a session must survive being saved and read again unchanged; the only
    // sessions allowed not to be written are those whose save time falls outside years 1…9999.
    QByteArray written;
    try {
        written = session->encoded();
    } catch (const SessionFileError&) {
        return 0;
    }
    const std::optional<Session> again = Session::decoded(written);
    if (!again)
        fail("a session that was read could not be read again after writing it");
    if (!(*again == *session))
        fail("a session changed on being written and read again");

    // The operations the app model runs on a loaded session, on whatever values it holds.
    Session changed = *session;
    (void)changed.key();
    (void)changed.fileName();
    (void)changed.currentSentence();
    for (qsizetype offset : {qsizetype(-1), qsizetype(0), qsizetype(1)})
        (void)changed.step(changed.current, offset);
    changed.toggleHard(changed.current);
    changed.replaceSentences(session->sentences, SplitMethod::pauses());
    if (changed.sentences.size() != session->sentences.size())
        fail("replacing the sentences lost some");
    if (!changed.sentences.empty() &&
        (changed.current < 0 || changed.current >= qsizetype(changed.sentences.size())))
        fail("replacing the sentences left the place outside them");
    return 0;
}
