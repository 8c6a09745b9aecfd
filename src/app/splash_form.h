// The window shown while the program starts.
#pragma once
#include "ui/forms.h"

class TfoSplash : public TForm {
public:
    explicit TfoSplash(TComponent* owner);
};
