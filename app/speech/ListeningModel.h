#pragma once

#include <QObject>

#include <optional>

// The application model as speech recognition sees it: how far recognition has got while the
// model shows it listening. Implemented by a QObject (declare it with Q_INTERFACES) so that the
// recognition can hold the model weakly and ignore a model that has gone away.
class ListeningModel {
public:
    virtual ~ListeningModel() = default;

    // The seconds shown while listening; nothing once the model shows something else.
    virtual std::optional<double> listeningProgress() const = 0;
    virtual void setListeningProgress(double seconds) = 0;
    // Recognition is about to run: the model clears its notice and listens from 0.
    virtual void startListening() = 0;
};

#define ListeningModel_iid "org.quellin.ListeningModel"
Q_DECLARE_INTERFACE(ListeningModel, ListeningModel_iid)
