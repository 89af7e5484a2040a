// Text typed by the user becomes the skin's Windows-1252 bytes; a character without one is refused.
#pragma once

#include <QString>

#include <stdexcept>
#include <string>

// Typed text that cannot become a value; the old value stays.
class TInputRefused : public std::runtime_error {
public:
    explicit TInputRefused(const QString& message);
    QString Message() const { return FMessage; }

private:
    QString FMessage;
};

// The bytes of the text; TInputRefused naming the first character that has no Windows-1252 byte.
std::string ToSkinText(const QString& text);
