#include "platform/qt/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <csignal>

#ifdef TARVEX_COVERAGE
// A coverage build writes its counters at exit, which a death by signal
// skips: they are written before it.
extern "C" void __gcov_dump();  // NOLINT(bugprone-reserved-identifier): gcov's own
#endif

namespace tarvex::qt {
namespace {

constexpr std::array<int, 3> kEndSignals = {SIGTERM, SIGINT, SIGHUP};

// The handler may only write; the pipe is the process's, as signals are.
int pipeEnds[2] = {-1, -1};
volatile std::sig_atomic_t received = 0;

extern "C" void NoteSignal(int signal) {
  received = signal;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
}

}  // namespace

EndSignals::EndSignals() {
  if (pipeEnds[0] < 0 && pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kEndSignals) sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals() {
  for (const int signal : kEndSignals) std::signal(signal, SIG_DFL);
}

void EndSignals::RaiseReceived() {
  if (received == 0) return;
#ifdef TARVEX_COVERAGE
  __gcov_dump();
#endif
  std::signal(received, SIG_DFL);
  std::raise(received);
}

void EndSignals::Watch(std::function<void()> ended) {
  ended_ = std::move(ended);
  if (pipeEnds[0] < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    char bytes[16];
    while (read(pipeEnds[0], bytes, sizeof bytes) > 0) continue;
    if (ended_) ended_();
  });
}

}  // namespace tarvex::qt
