#pragma once

#include <cstdio>
#include <string>

// Only regular files are read as settings, firmware or recordings, and only
// regular files are replaced by a save: a FIFO would hang a reader for ever,
// and a device node or a socket replaced by a plain file would break the
// system that owns it.
namespace vexor {

enum class FileKind { Missing, Regular, Directory, Fifo, Socket, Device, Other };

// What path names, symbolic links followed (a dangling link is Missing).
FileKind fileKind(const std::string& path);

// Whether a save may create or replace path: nothing is there yet (and path
// is not a dangling symbolic link), or a regular file, directly or behind a
// link (the link's target is then written).
bool replaceableTarget(const std::string& path, FileKind* found = nullptr);

// Opens path for reading when it is a regular file, without ever waiting on
// a FIFO or a device. Null otherwise (kind, when given, says what was found).
std::FILE* openRegularForRead(const std::string& path, FileKind* kind = nullptr);

// Opens path for writing when replaceableTarget allows it: emptied first, or
// appended to. Null otherwise; an existing file stays as it was.
std::FILE* openRegularForWrite(const std::string& path, bool append, FileKind* kind = nullptr);

// The Polish message for a path that is there but is no regular file.
const char* notRegularMessage();

} // namespace vexor
