#pragma once

#include <stdexcept>
#include <string>

namespace vl {

// Every engine error is an exception carrying its message as 8-bit engine
// text; the places that show errors convert it for display.
class VlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A read that needs more bytes than the stream holds.
class StreamReadError : public VlError {
public:
    StreamReadError() : VlError("Stream read error") {}
};

class StreamWriteError : public VlError {
public:
    explicit StreamWriteError(const std::string& what = "Stream write error") : VlError(what) {}
};

// A text that does not convert to the value kind asked for.
class ConversionError : public VlError {
public:
    using VlError::VlError;
};

// A component or class looked up by name that does not exist.
class ClassNotFoundError : public VlError {
public:
    using VlError::VlError;
};

// A component found by name is not of the kind asked for (a data source, a
// table).
class InvalidTypeCastError : public VlError {
public:
    InvalidTypeCastError() : VlError("Invalid class typecast") {}
};

// An expression that cannot be evaluated: unbalanced parentheses, an operator
// without operands, more values than the evaluation stack holds.
class ParserError : public VlError {
public:
    using VlError::VlError;
};

} // namespace vl
