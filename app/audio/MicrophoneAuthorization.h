#pragma once

#include <QCoroTask>

#include <memory>

// Whether the application may use the microphone. Linux lets desktop programs use it; tests put
// in an authorisation that refuses or has not been asked yet.
class MicrophoneAuthorization {
public:
    enum class Status { notDetermined, restricted, denied, authorized };

    virtual ~MicrophoneAuthorization() = default;
    virtual Status status() const = 0;
    // Asks the user; true when access was granted.
    virtual QCoro::Task<bool> requestAccess() = 0;

    static std::shared_ptr<MicrophoneAuthorization> system();
};
