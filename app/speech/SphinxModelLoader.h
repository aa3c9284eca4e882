#pragma once

struct ps_decoder_s;

// Loads a PocketSphinx model into a new decoder with the settings every decoder here uses, or
// gives null when PocketSphinx reports the model as unusable. Beware: some damaged model files
// make PocketSphinx end the whole process instead; see SphinxModelCheck.
ps_decoder_s* loadSphinxModel(const char* acousticModel, const char* languageModel,
                              const char* dictionary);
