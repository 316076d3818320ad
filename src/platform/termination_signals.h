#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace brenlow {

// While this object lives, SIGTERM, SIGINT and SIGHUP do not end the program on the spot: on the
// user-interface thread, once the running handler lets events run, onSignal is told and the
// event loops end (every wait and modal window returns, and the main loop with them), so that
// the program unwinds as after Exit and its temporary files go. The default actions come back
// when it goes. One at a time.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onSignal = {});
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

private:
    void Received();

    std::function<void()> onSignal_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace brenlow
