#pragma once

#include "SentencePipeline.h"

#include <QByteArray>

// The three ways quellin-cli prints sentences.
namespace SentenceOutput {

enum class Format { text, json, srt };
std::optional<Format> formatNamed(const QString& name);

// One line per sentence: "start – end", then the text when there is one, after "? " when it is
// doubtful.
QByteArray text(const SentencePipeline::Result& result);
// {"duration", "method", "notice" (when there is one), "sentences"}, encoded as in the session
// file, and for recognised sentences "textReliable".
QByteArray json(const SentencePipeline::Result& result);
// A SubRip subtitle file; sentences without text are titled "Sentence N" as in the sentence list.
QByteArray srt(const SentencePipeline::Result& result);

QByteArray render(Format format, const SentencePipeline::Result& result);

} // namespace SentenceOutput
