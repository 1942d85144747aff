#include <Tervanix/tervanix_c.h>
