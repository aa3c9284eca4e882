#include "session/SessionSummary.h"

#include "session/Session.h"

QString SessionSummary::fileName() const {
    return lastPathComponent(filePath);
}
