#pragma once

#include <QCoroTask>

// Whether speech recognition may be used. Recognition never leaves the machine on Linux, so the
// desktop grants it; tests put a refusing authorizer in its place.
class SpeechAuthorizer {
public:
    virtual ~SpeechAuthorizer() = default;
    virtual QCoro::Task<bool> authorize() = 0;
};

class GrantedSpeechAuthorizer final : public SpeechAuthorizer {
public:
    QCoro::Task<bool> authorize() override { co_return true; }
};
