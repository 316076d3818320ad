#include "platform/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace brenlow {
namespace {

constexpr std::array<int, 3> Caught = {SIGTERM, SIGINT, SIGHUP};

// A signal handler has no other way to its object: the write end of the object's pipe.
std::atomic<int> signalPipe{-1};

extern "C" void NoteSignal(int signalNumber)
{
    const int saved = errno;
    const char byte = static_cast<char>(signalNumber);
    const int fd = signalPipe.load();
    if (fd >= 0) [[maybe_unused]]
        const auto written = ::write(fd, &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal))
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("no pipe for the termination signals");
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    signalPipe.store(writeEnd_);
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::Received);

    struct sigaction action = {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : Caught)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signalNumber : Caught)
        std::signal(signalNumber, SIG_DFL);
    signalPipe.store(-1);
    notifier_.reset();
    ::close(readEnd_);
    ::close(writeEnd_);
}

void TerminationSignals::Received()
{
    // Several signals at once still end the program once.
    char bytes[64];
    while (::read(readEnd_, bytes, sizeof bytes) > 0) { }
    if (onSignal_)
        onSignal_();
    // Not quit(): a window that refuses to close (a print run) must not keep the program up.
    QCoreApplication::exit(0);
}

} // namespace brenlow
