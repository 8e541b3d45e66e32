// Whether standard input or standard error is a terminal.
#pragma once

namespace tavrimen::platform {

bool StdinIsTerminal();
bool StderrIsTerminal();

}  // namespace tavrimen::platform
