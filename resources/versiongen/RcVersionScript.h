// SPDX-License-Identifier: MIT
#pragma once

#include "VersionBlockWriter.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace twinvane::versiongen {

// A resource script that this reader does not take, with the line it is on.
class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message) {}
};

// Reads the one VERSIONINFO statement (resource 1) of a resource script into
// the tree that windres builds from it. Understood: the fixed-part statements
// FILEVERSION, PRODUCTVERSION, FILEFLAGSMASK, FILEFLAGS, FILEOS, FILETYPE,
// FILESUBTYPE; BLOCK "name" with BEGIN/END or braces; VALUE "name" followed
// by one string, or by numbers (16-bit words; an L suffix makes 32 bits).
// Numbers are decimal or 0x hexadecimal; comments are // and /* */. Anything
// else, and any non-ASCII text, raises ScriptError rather than giving a
// block that could differ from the one windres makes.
VersionNode ReadVersionScript(std::string_view script);

} // namespace twinvane::versiongen
