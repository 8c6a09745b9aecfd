#include "textview/notify_persistent.h"

void TNotifyPersistent::EndUpdate() {
    if (update_count_ > 0 && --update_count_ == 0 && pending_) {
        pending_ = false;
        if (OnChange) OnChange(*this);
    }
}

void TNotifyPersistent::Changed() {
    if (update_count_ > 0) {
        pending_ = true;
        return;
    }
    if (OnChange) OnChange(*this);
}
