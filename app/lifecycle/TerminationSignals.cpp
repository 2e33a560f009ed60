#include "TerminationSignals.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>
#include <csignal>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace orv::lifecycle {

namespace {

int pipeEnds[2] = {-1, -1};

void onSignal(int signalNumber)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a wake-up; nothing more is needed.
    [[maybe_unused]] const ssize_t ignored = write(pipeEnds[1], &byte, 1);
    errno = saved;
}

bool install(int signalNumber, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(signalNumber, &action, nullptr) == 0;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::system_error(errno, std::generic_category(), "pipe2");
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::drain);
    if (!install(SIGTERM, onSignal) || !install(SIGINT, onSignal))
        throw std::system_error(errno, std::generic_category(), "sigaction");
}

TerminationSignals::~TerminationSignals()
{
    install(SIGTERM, SIG_DFL);
    install(SIGINT, SIG_DFL);
    notifier_.reset();
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::drain()
{
    unsigned char byte = 0;
    int last = 0;
    ssize_t n;
    while ((n = read(pipeEnds[0], &byte, 1)) == 1) last = byte;
    if (n < 0 && errno != EAGAIN && errno != EINTR) qWarning("orv: read of the signal pipe: %s", std::strerror(errno));
    if (last) emit terminationRequested(last);
}

}  // namespace orv::lifecycle
