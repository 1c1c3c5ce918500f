#pragma once

#include <vector>

namespace vl {

class ComponentRefBase;

// A component that others hold references to. When it is destroyed, every
// ComponentRef pointing at it is cleared, so no reference ever dangles.
class RefTarget {
public:
    RefTarget() = default;
    RefTarget(const RefTarget&) = delete;
    RefTarget& operator=(const RefTarget&) = delete;

protected:
    ~RefTarget();

private:
    friend class ComponentRefBase;
    std::vector<ComponentRefBase*> refs_;
};

class ComponentRefBase {
public:
    ComponentRefBase(const ComponentRefBase&) = delete;
    ComponentRefBase& operator=(const ComponentRefBase&) = delete;

protected:
    ComponentRefBase() = default;
    ~ComponentRefBase() { attach(nullptr); }
    void attach(RefTarget* target);
    RefTarget* target() const { return target_; }

private:
    friend class RefTarget;
    RefTarget* target_ = nullptr;
};

// A non-owning reference that becomes null when its target is destroyed.
template <typename T> class ComponentRef : private ComponentRefBase {
public:
    ComponentRef() = default;
    T* get() const { return static_cast<T*>(target()); }
    void reset(T* target = nullptr) { attach(target); }
    ComponentRef& operator=(T* target) {
        attach(target);
        return *this;
    }
    T* operator->() const { return get(); }
    operator T*() const { return get(); }
    explicit operator bool() const { return target() != nullptr; }
};

} // namespace vl
