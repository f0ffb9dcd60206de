#pragma once

// How a document action ended. The action has already told the user (through
// the prompt seam) whatever there was to say; the result is for front ends
// that need more than that, such as a command line's exit status.
enum class DocResult {
    Done,      // everything the action does was done
    Cancelled, // the user cancelled a chooser or answered No; nothing was sent
    FileError, // a file could not be read or written, or was refused
    Failed,    // the controller refused or did not answer
    PortError  // the serial port failed; the error was reported with the handler's name
};
