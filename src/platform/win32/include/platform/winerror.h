// On Windows the platform's own status codes replace ours.
#pragma once

#include <windows.h>
