#include "platform/Component.h"

#include <algorithm>

#include "platform/Exceptions.h"
#include "platform/SysUtils.h"

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  BeginDestroy();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
  // Components that asked to hear about us are told nothing more: they must
  // not keep us in their own lists.
  for (TComponent* c : notified_) {
    auto& v = c->notified_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
}

void TComponent::BeginDestroy() {
  if (state_ & csDestroying) return;
  state_ |= csDestroying;
  life_.reset();
  // Copy: a notified component may remove itself while being told.
  std::vector<TComponent*> told = notified_;
  for (TComponent* c : told) {
    if (std::find(notified_.begin(), notified_.end(), c) == notified_.end()) continue;
    c->Notification(this, opRemove);
  }
}

TComponent* TComponent::Components(int i) const {
  if (i < 0 || i >= ComponentCount())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  return components_[static_cast<std::size_t>(i)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& v = owner_->components_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
  if (name.IsEmpty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
  if (!c || c->owner_ == this) return;
  if (c->owner_) c->owner_->RemoveComponent(c);
  components_.push_back(c);
  c->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it == components_.end()) return;
  components_.erase(it);
  c->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  // The last created goes first; each one removes itself from the list.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    delete c;
  }
}

bool TComponent::Loading() const {
  for (const TComponent* c = this; c; c = c->owner_)
    if (c->state_ & csLoading) return true;
  return false;
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(notified_.begin(), notified_.end(), other) == notified_.end()) {
    notified_.push_back(other);
    other->notified_.push_back(this);  // so that each side forgets the other on death
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  notified_.erase(std::remove(notified_.begin(), notified_.end(), other), notified_.end());
  if (other)
    other->notified_.erase(std::remove(other->notified_.begin(), other->notified_.end(), this),
                           other->notified_.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

std::weak_ptr<void> TComponent::LifeToken() const {
  if (state_ & csDestroying) return {};
  if (!life_) life_ = std::make_shared<int>(0);
  return life_;
}
