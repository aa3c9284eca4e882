#pragma once

#include "base/QuellinError.h"

// A session could not be written: its folder could not be made, it cannot be represented in the
// session file, or the file could not be written. The file that was there before is unchanged.
class SessionFileError final : public QuellinError {
public:
    using QuellinError::QuellinError;
};
