// TComponent: ownership, names, tags and lifetime notification.
#pragma once

#include <memory>
#include <vector>

#include "platform/AnsiString.h"
#include "platform/Classes.h"

enum TOperation { opInsert, opRemove };

enum TComponentStateBits : unsigned { csLoading = 1, csDestroying = 8 };

// A component owns the components created with it as owner and destroys
// them, the last created first, when it is destroyed. Destroying a component
// removes it from its owner.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  AnsiString Name() const { return name_; }
  virtual void SetName(const AnsiString& v) { name_ = v; }
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Throws EListError for an index out of range.
  TComponent* Components(int i) const;
  int ComponentIndex() const;
  // The owned component with this name (ignoring case), or null.
  TComponent* FindComponent(const AnsiString& name) const;
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);
  void DestroyComponents();

  unsigned ComponentState() const { return state_; }
  // True while this component or one of its owners is loading (its resource
  // builder runs): events do not fire then.
  bool Loading() const;
  void BeginLoading() { state_ |= csLoading; }
  void EndLoading() { state_ &= ~csLoading; }

  // Lifetime notification: `other` gets Notification(this, opRemove) when this
  // component is destroyed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // A token that expires when the component starts to be destroyed.
  std::weak_ptr<void> LifeToken() const;

 protected:
  // Marks destruction and sends the free notifications; the destructors of
  // derived classes call it first. Idempotent.
  void BeginDestroy();

 private:
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> notified_;
  mutable std::shared_ptr<int> life_;
  AnsiString name_;
  int tag_ = 0;
  unsigned state_ = 0;
};

// Runs a form's resource builder in the loading state.
class TLoadingScope {
 public:
  explicit TLoadingScope(TComponent* c) : c_(c), was_(c->ComponentState() & csLoading) {
    c_->BeginLoading();
  }
  ~TLoadingScope() {
    if (!was_) c_->EndLoading();
  }
  TLoadingScope(const TLoadingScope&) = delete;
  TLoadingScope& operator=(const TLoadingScope&) = delete;

 private:
  TComponent* c_;
  bool was_;
};
