// A seam for tests: makes file-system operations fail as a read-only, full or failing medium
// would, where real permissions cannot (tests run as root in CI).
#pragma once

#include <filesystem>

namespace tavrimen::platform::faults {

enum class Operation { kCreate, kDelete, kRead, kWrite, kMakeFolder };

// From now on, `operation` on native paths at or below `folder` fails with `error_number`.
// A failing write writes half of its bytes first.
void FailBelow(const std::filesystem::path& folder, Operation operation, int error_number);

// Removes every injected failure.
void Clear();

// The errno that `operation` on `native` is to fail with, or 0.
int Injected(Operation operation, const std::filesystem::path& native);

}  // namespace tavrimen::platform::faults
