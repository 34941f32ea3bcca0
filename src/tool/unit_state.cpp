#include "tool/unit_state.h"

uint8_t CmdPrefix = NormalPrefix;
