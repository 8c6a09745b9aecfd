// Base of the text view's settings objects: a setter stores a value only
// when it differs and then notifies; BeginUpdate/EndUpdate fold several
// changes into one notification.
#pragma once
#include <functional>

class TNotifyPersistent {
public:
    TNotifyPersistent() = default;
    TNotifyPersistent(const TNotifyPersistent&) = delete;
    TNotifyPersistent& operator=(const TNotifyPersistent&) = delete;
    virtual ~TNotifyPersistent() = default;

    std::function<void(TNotifyPersistent& sender)> OnChange;

    void BeginUpdate() { ++update_count_; }
    void EndUpdate();
    int UpdateCount() const { return update_count_; }

    // Raises OnChange now, or once at the end of the update bracket.
    void Changed();

protected:
    template <class T, class V> void SetValue(T& field, const V& value) {
        if (field != value) {
            field = value;
            Changed();
        }
    }

private:
    int update_count_ = 0;
    bool pending_ = false;
};
