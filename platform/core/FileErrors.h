// File failures that reach the user; the message names the path and the reason.
#pragma once

#include <stdexcept>

class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// A file that exists but cannot be opened for reading.
class EFOpenError : public EFileError {
public:
    using EFileError::EFileError;
};
// A file that cannot be created or replaced.
class EFCreateError : public EFileError {
public:
    using EFileError::EFileError;
};
// Writing failed part way; the old file is left as it was.
class EWriteError : public EFileError {
public:
    using EFileError::EFileError;
};
