// The api layer may include the text layer.
#pragma once

#include "engine/text/upward.h"
