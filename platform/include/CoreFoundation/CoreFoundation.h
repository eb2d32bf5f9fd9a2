// Core Foundation: the part of it that this platform layer provides.
#pragma once

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFData.h>
