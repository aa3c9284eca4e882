#pragma once

#include "base/Sentence.h"

#include <optional>
#include <vector>

// Puts sentences found for some stretches of a file in place of the sentences there, so that
// results that arrive a stretch at a time (recognition working outward from where the user is)
// fill the list while the rest of it stays as it was. Pure; any thread.
//
// `covered`: the stretches `found` stands for, in any order, possibly touching; a found sentence
// whose middle lies outside them is ignored, and one reaching past a stretch widens it.
// `keep`: a span left exactly as it is (the sentence the user is practising); found sentences are
// cut back to outside it. A present sentence reaching out of what is replaced keeps its part
// outside, and any part shorter than `shortest` seconds is dropped, so no speech is lost between
// stretches that are done and stretches that are not. Returns the sentences in time order; marks
// and practice records are left to Session::replaceSentences.
// Sorted, with overlapping or touching ranges joined and empty ones dropped.
std::vector<TimeRange> joinedRanges(std::vector<TimeRange> ranges);

std::vector<Sentence> splicedSentences(const std::vector<Sentence>& present,
                                       const std::vector<Sentence>& found,
                                       std::vector<TimeRange> covered,
                                       std::optional<TimeRange> keep = std::nullopt,
                                       double shortest = 0.25);
