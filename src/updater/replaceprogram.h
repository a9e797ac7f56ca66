// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace updater {

struct Outcome
{
    bool ok = false;
    bool worthRetrying = false; // the program file may be busy or the disk full for a moment
    std::string reason;
};

// The format and machine of the executable whose first bytes are given, such as "elf 2 1 62";
// empty when they are no executable this updater knows.
std::string ExecutableKind(const unsigned char* head, std::size_t size);
std::string ExecutableKindOfFile(const std::string& path);

// Puts a copy of `newFile` in place of `program` without the program ever missing: the copy is
// made under a temporary name in the program's folder, given the old program's access rights,
// synced, renamed over the program (a running program keeps its own copy) and the folder synced.
// `newFile` must be a program of `ownKind`. On failure the program is as it was.
Outcome ReplaceProgram(const std::string& program, const std::string& newFile,
                       const std::string& ownKind);

} // namespace updater
