#include "platform/Error.h"
// Keeps the library non-empty until the platform layer grows.
