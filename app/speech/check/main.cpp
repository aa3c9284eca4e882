// quellin-sphinx-check ACOUSTIC LANGUAGE DICTIONARY
//
// Loads a PocketSphinx model and exits 0 when it loads, 1 when PocketSphinx refuses it, and
// whatever PocketSphinx chooses when it gives up on a damaged file by ending the process. The
// application runs this first, so that such a model costs this process rather than the window.
#include "speech/SphinxModelLoader.h"

#include <pocketsphinx.h>
#include <sphinxbase/err.h>

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 4)
        _exit(2);
    err_set_logfp(nullptr);
    ps_decoder_t* decoder = loadSphinxModel(argv[1], argv[2], argv[3]);
    // Straight out: freeing a model takes longer than the process's end does.
    _exit(decoder ? 0 : 1);
}
