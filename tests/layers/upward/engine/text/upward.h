// A text-layer header that reaches up into the api layer: the layer check must refuse it.
#pragma once

#include "engine/api/engine.h"
