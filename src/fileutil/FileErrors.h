// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Exception.h"

namespace twinvane {

// Failures of reading or writing a file.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

// The source of a copy could not be opened: "Cannot open file <source>".
class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(const std::string& fileName)
        : EStreamError("Cannot open file " + fileName) {}
};

// The destination of a copy could not be created: "Cannot create file <path>".
class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(const std::string& fileName)
        : EStreamError("Cannot create file " + fileName) {}
};

// Reading the source failed part-way: "Cannot read file <source>".
class EReadError : public EStreamError {
public:
    explicit EReadError(const std::string& fileName)
        : EStreamError("Cannot read file " + fileName) {}
};

// Writing the destination failed (a full disk, say): "Cannot write file <path>".
class EWriteError : public EStreamError {
public:
    explicit EWriteError(const std::string& fileName)
        : EStreamError("Cannot write file " + fileName) {}
};

} // namespace twinvane
