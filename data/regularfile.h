#pragma once
// Opening a file that a user or a settings value names. Only a regular file
// is read: a FIFO would wait for a writer for ever and a device such as
// /dev/zero never ends. The type is checked on the open descriptor (the name
// may change in between), and the open never blocks.

#include <cstddef>
#include <string>

/// Opens path for reading when it names a regular file (links followed).
/// Returns the descriptor (blocking reads, close-on-exec), or -1 with errno
/// set: EISDIR for a folder, EINVAL for a FIFO, socket or device.
int OpenRegularFile(const std::string& path, long long* size = nullptr);

/// Reads the whole regular file path into data when it holds at most
/// maxBytes. False, data empty, and errno set otherwise: as OpenRegularFile,
/// EFBIG for a larger file (also one that grows while it is read).
bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& data);
