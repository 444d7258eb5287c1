#include <platform/automation/LibraryCounter.h>

// The platform library's own objects (connection points) count here.
AUTOMATION_DEFINE_LIBRARY_COUNTER()
