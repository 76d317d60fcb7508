#pragma once
// Waits for a condition that another thread makes true, up to a deadline.
#include <chrono>
#include <thread>

namespace rizazovoz {

template <typename Condition>
bool Eventually(Condition condition,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

}  // namespace rizazovoz
