#include "engine/script/ComponentRef.h"

#include <algorithm>

namespace vl {

RefTarget::~RefTarget() {
    for (ComponentRefBase* ref : refs_)
        ref->target_ = nullptr;
}

void ComponentRefBase::attach(RefTarget* target) {
    if (target == target_) return;
    if (target_) std::erase(target_->refs_, this);
    target_ = target;
    if (target_) target_->refs_.push_back(this);
}

} // namespace vl
