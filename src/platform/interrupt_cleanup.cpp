#include "platform/interrupt_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace texttoxml::platform {

namespace {

// The handler may only read plain memory, so the path lives in a fixed
// buffer that is complete before `remembered` is set.
std::array<char, 4096> temporaryPath{};
volatile sig_atomic_t remembered = 0;

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveAndEnd(int signal) {
  if (remembered) ::unlink(temporaryPath.data());
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void RemoveTemporaryFileOnInterrupt() {
  struct sigaction action {};
  action.sa_handler = RemoveAndEnd;
  ::sigemptyset(&action.sa_mask);
  for (int signal : kSignals) ::sigaddset(&action.sa_mask, signal);
  for (int signal : kSignals) {
    // A signal the caller ignores (nohup ignores SIGHUP) stays ignored: the
    // program must not end on what its caller meant it to survive.
    struct sigaction inherited {};
    if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

void RememberTemporaryFile(const std::string& path) {
  if (remembered || path.size() >= temporaryPath.size()) return;
  std::memcpy(temporaryPath.data(), path.c_str(), path.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  remembered = 1;
}

void ForgetTemporaryFile(const std::string& path) {
  if (remembered && path == temporaryPath.data()) remembered = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

}  // namespace texttoxml::platform
