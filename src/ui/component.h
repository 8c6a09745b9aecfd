// Components: named objects owned by another component. The owner frees what
// it owns, and code finds siblings by name ("lNoneInfo" + i), as the forms
// are written.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Fires an event only when a handler is attached.
template <typename Event, typename... Args>
inline void Fire(const Event& event, Args&&... args) {
    if (event) event(std::forward<Args>(args)...);
}

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    std::string Name;
    int Tag = 0;

    TComponent* Owner() const { return owner_; }
    // Looks among the directly owned components, names compared without case.
    TComponent* FindComponent(std::string_view name) const;
    const std::vector<TComponent*>& Components() const { return components_; }

private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
};
