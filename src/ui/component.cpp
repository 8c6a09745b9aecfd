#include "ui/component.h"

#include <algorithm>

#include "base/sjis.h"

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    // Owned components go first, newest first, so that children die before
    // the parents they were placed on.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        delete c;
    }
    if (owner_) {
        auto& list = owner_->components_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (TComponent* c : components_) {
        if (!c->Name.empty() && SjisSameText(c->Name, name)) return c;
    }
    return nullptr;
}
