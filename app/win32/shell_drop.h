// Folders dropped on the window from the file manager: the window takes the shell's drops, and a
// drop is read (where it landed, which paths it carries) and released.
#pragma once

// windows.h must come before shellapi.h.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <filesystem>
#include <optional>
#include <vector>

#include "app/folder_drop.h"
#include "app/win32/controls.h"
#include "app/win32/owned.h"

namespace tavrimen::win32 {

// A drop of the shell, finished when its owner goes.
using OwnedDrop = Owned<HDROP, DragFinish>;

// A drop as the window takes it: the side of the control it landed on, if any, and its paths.
struct ShellDrop {
  std::optional<Side> side;
  std::vector<std::filesystem::path> natives;
};

// Lets the shell drop files and folders on `form`, which then receives WM_DROPFILES.
void AcceptDrops(HWND form);

// Reads the drop of WM_DROPFILES on `form`, whose controls are `controls`.
ShellDrop ReadDrop(OwnedDrop drop, HWND form, const Controls& controls);

}  // namespace tavrimen::win32
