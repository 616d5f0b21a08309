#if 0
#else
#endif
#include <
#define
