// File failures that reach the user; the message names the path and the reason.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    EFileError(const std::string& message, std::string reason)
        : std::runtime_error(message)
        , FReason(std::move(reason))
    {
    }
    // The system's reason alone ("Permission denied"), UTF-8; empty when the message has none.
    const std::string& Reason() const { return FReason; }

private:
    std::string FReason;
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

// The reason alone when the error has one, else its whole message.
inline std::string FailureReason(const std::exception& error)
{
    if (const auto* file = dynamic_cast<const EFileError*>(&error); file && !file->Reason().empty())
        return file->Reason();
    return error.what();
}
