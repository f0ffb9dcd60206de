#pragma once

#include "platform/Seams.h"

// Lets a long wait on the window thread keep the windows painted and
// responsive.
class CQtEventPump : public IEventPump {
public:
    void pump() override;
};
