#include "engine/script/Component.h"

#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"

#include <algorithm>

namespace vl {

namespace {

template <typename List> auto findByName(const List& list, std::string_view name) {
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const TvlComponent* c) { return SameText(c->name(), name); });
    return it == list.end() ? nullptr : *it;
}

} // namespace

TvlComponent::TvlComponent(std::string name, TvlComponent* owner)
    : name_(std::move(name)), owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

TvlComponent::~TvlComponent() {
    for (TvlComponent* child : components_)
        child->owner_ = nullptr;
    if (owner_) std::erase(owner_->components_, this);
}

TvlComponent* TvlComponent::findComponent(std::string_view name) const {
    return name.empty() ? nullptr : findByName(components_, name);
}

void ComponentDirectory::add(TvlComponent* container) {
    if (std::find(containers_.begin(), containers_.end(), container) == containers_.end())
        containers_.push_back(container);
}

void ComponentDirectory::remove(TvlComponent* container) {
    std::erase(containers_, container);
}

TvlComponent* ComponentDirectory::find(std::string_view name) const {
    return name.empty() ? nullptr : findByName(containers_, name);
}

} // namespace vl
