#include "platform/faults.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace tavrimen::platform::faults {
namespace {

struct Fault {
  std::filesystem::path folder;
  Operation operation;
  int error_number;
};

std::mutex& Mutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<Fault>& Faults() {
  static std::vector<Fault> faults;
  return faults;
}

std::atomic<bool> any_fault{false};

bool IsAtOrBelow(const std::filesystem::path& folder, const std::filesystem::path& native) {
  auto it = native.begin();
  for (const auto& part : folder) {
    if (part.empty()) continue;
    if (it == native.end() || *it != part) return false;
    ++it;
  }
  return true;
}

}  // namespace

void FailBelow(const std::filesystem::path& folder, Operation operation, int error_number) {
  std::lock_guard lock(Mutex());
  Faults().push_back({folder.lexically_normal(), operation, error_number});
  any_fault = true;
}

void Clear() {
  std::lock_guard lock(Mutex());
  Faults().clear();
  any_fault = false;
}

int Injected(Operation operation, const std::filesystem::path& native) {
  if (!any_fault) return 0;
  std::lock_guard lock(Mutex());
  const std::filesystem::path normal = native.lexically_normal();
  for (const Fault& fault : Faults()) {
    if (fault.operation == operation && IsAtOrBelow(fault.folder, normal)) {
      return fault.error_number;
    }
  }
  return 0;
}

}  // namespace tavrimen::platform::faults
