// On Windows the platform's own Sleep replaces ours.
#pragma once

#include <windows.h>
