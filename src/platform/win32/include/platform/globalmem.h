// On Windows the platform's own global memory service replaces ours.
#pragma once

#include <windows.h>
