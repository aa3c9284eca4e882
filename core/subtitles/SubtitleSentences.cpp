#include "subtitles/SubtitleSentences.h"

#include "split/SpeechEdges.h"
#include "subtitles/SubtitleCues.h"

#include <QCoreApplication>

std::vector<Sentence> subtitleSentences(const SubtitleTrack& track, const EnergyProfile& profile,
                                        std::stop_token stop) {
    const std::vector<SubtitleCue> cues =
        spokenCues(readSubtitleCues(track, stop), profile.duration());
    if (cues.empty())
        throw SubtitleError(
            QCoreApplication::translate("SubtitleSentences",
                                        "The subtitles “%1” have no words while the sound plays.")
                .arg(track.source));
    if (stop.stop_requested())
        throw OperationCancelled();
    return SpeechEdges{}.fit(cueSentences(cues, TranscriptSplitter(track.language)), profile);
}
