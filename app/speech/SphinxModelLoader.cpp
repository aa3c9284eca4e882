#include "speech/SphinxModelLoader.h"

#include <pocketsphinx.h>

ps_decoder_t* loadSphinxModel(const char* acousticModel, const char* languageModel,
                              const char* dictionary) {
    // Silence stays in the frames so that frame numbers are times within the stretch.
    // The search is narrower than the engine's defaults: one pass, not two (-fwdflat: the second
    // ran over each whole utterance at its end, where a stop can't interrupt it), the two best
    // Gaussians per state rather than four, and at most 3000 active HMMs per frame rather than
    // 30000. Measured with bench_speech against pocketsphinx_continuous (defaults) on the same
    // audio: CPU 6.4 s against 22.4 s on a minute of generated speech (word error rate 55 % against
    // 69 %), 2.5 s against 6.5 s on the LibriVox reading (27 % against 31 %, as with the
    // defaults).
    cmd_ln_t* config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", acousticModel, "-lm",
                                   languageModel, "-dict", dictionary, "-remove_silence", "no",
                                   "-fwdflat", "no", "-topn", "2", "-maxhmmpf", "3000", nullptr);
    if (!config)
        return nullptr;
    ps_decoder_t* decoder = ps_init(config);
    cmd_ln_free_r(config);
    return decoder;
}
