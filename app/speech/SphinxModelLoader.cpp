#include "speech/SphinxModelLoader.h"

#include <pocketsphinx.h>

ps_decoder_t* loadSphinxModel(const char* acousticModel, const char* languageModel,
                              const char* dictionary) {
    // Silence stays in the frames so that frame numbers are times within the stretch.
    cmd_ln_t* config =
        cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", acousticModel, "-lm", languageModel, "-dict",
                    dictionary, "-remove_silence", "no", nullptr);
    if (!config)
        return nullptr;
    ps_decoder_t* decoder = ps_init(config);
    cmd_ln_free_r(config);
    return decoder;
}
