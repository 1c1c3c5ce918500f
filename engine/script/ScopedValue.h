#pragma once

#include <utility>

namespace vl {

// Gives a variable a value for as long as the scope lasts, and its old
// value back afterwards, also when the scope is left by an exception.
template <typename T> class ScopedValue {
public:
    ScopedValue(T& variable, T value) : variable_(variable), saved_(std::move(variable)) {
        variable_ = std::move(value);
    }
    ~ScopedValue() { variable_ = std::move(saved_); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& variable_;
    T saved_;
};

// Counts how deeply a scope is nested in itself.
class ScopedDepth {
public:
    explicit ScopedDepth(int& depth) : depth_(depth) { ++depth_; }
    ~ScopedDepth() { --depth_; }
    ScopedDepth(const ScopedDepth&) = delete;
    ScopedDepth& operator=(const ScopedDepth&) = delete;

private:
    int& depth_;
};

} // namespace vl
