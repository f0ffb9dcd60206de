#pragma once

// Every settings-block codec: decode* turns a controller payload into the
// settings image, encode* builds the payload of a write from it.
#include "device/codecs/AdvCodec.h"
#include "device/codecs/AdvancedSetupCodec.h"
#include "device/codecs/BaseCodec.h"
#include "device/codecs/DevInfoCodec.h"
#include "device/codecs/InjMapCodec.h"
#include "device/codecs/MainCorrCodec.h"
#include "device/codecs/SensorsCodec.h"
#include "device/codecs/SetupTimesCodec.h"
