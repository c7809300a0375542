// The profile editor opened from the main window in its three modes.

#include "Scenario.h"
