// Ashwicket in a text terminal.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>

#include "console/console.h"
#include "frontends/terminal/signals.h"
#include "frontends/terminal/terminal_backend.h"
#include "shell/startup.h"

int main() {
  using namespace ashwicket;
  if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0) {
    std::fputs("ashwicket: standard input and output must both be a terminal\n", stderr);
    return 1;
  }

  // Every way out of the try block goes through the backend's destructor first, which gives
  // the terminal back; only then do we report, or die of the signal that stopped us.
  int status = 0;
  int signal = 0;
  std::string error;
  try {
    terminal::TerminalBackend backend;
    Console console(backend);
    RunGame(console);
  } catch (const GameEnded& ended) {
    status = ended.status;
  } catch (const terminal::Interrupted& interrupted) {
    signal = interrupted.signal;
  } catch (const std::exception& exception) {
    error = exception.what();
  } catch (...) {
    error = "unexpected error";
  }
  if (signal != 0) terminal::DieBySignal(signal);
  if (!error.empty()) {
    std::fprintf(stderr, "ashwicket: %s\n", error.c_str());
    return 1;
  }
  return status;
}
