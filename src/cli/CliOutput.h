#pragma once

#include <string>

// Everything vexor-cli prints goes through here, so that output nobody can
// take (a reader that went away, a full disk) is noticed at the first write
// and the command can stop instead of polling on and reporting success.
namespace vexor::cli {

// Writes text whole to stdout. False once stdout has failed; nothing more
// is written to it then.
bool printOut(const std::string& text);

// Writes text whole to stderr; false once stderr has failed.
bool printErr(const std::string& text);

// Notes that a write to stderr through some other path failed.
void noteErrFailed();

// Whether stdout has refused a write: the command should stop.
bool outputFailed();

// Whether stderr is a terminal someone watches (for progress lines).
bool errIsTerminal();

// Flushes and closes stdout and returns the status to exit with: the
// command's own, or 1 when some output was lost. A full disk or another
// write error is told on stderr naming stdout; a reader that went away is
// not, it asked for no more.
int finishOutput(int status);

} // namespace vexor::cli
