#pragma once

#include <QString>
#include <QUrl>

// How the updater speaks to the user. The window uses message boxes; tests record the calls.
class UpdatePrompts {
public:
    virtual ~UpdatePrompts() = default;
    // An informational alert with a single "OK" button.
    virtual void inform(const QString& title, const QString& message) = 0;
    // A newer version exists: offer to open its download page in the browser.
    virtual void offerDownload(const QString& title, const QString& message, const QUrl& page) = 0;
};

class MessageBoxPrompts final : public UpdatePrompts {
public:
    void inform(const QString& title, const QString& message) override;
    void offerDownload(const QString& title, const QString& message, const QUrl& page) override;
};
