#include "app/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

namespace orbline {
namespace {

int signalSocket[2] = {-1, -1};

// Only writes a byte: the one thing a signal handler may safely do here.
void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(signalSocket[0], &byte, 1);
}

}  // namespace

void HandleTerminationSignals(std::function<void()> onTerminate) {
  if (signalSocket[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocket) != 0) return;
  auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onTerminate = std::move(onTerminate)] {
    char byte;
    [[maybe_unused]] ssize_t n = ::read(signalSocket[1], &byte, 1);
    onTerminate();
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
}

}  // namespace orbline
