#include "Support/MemoryPolicy.h"

#include <malloc.h>

void UseReturnableLargeBlocks()
{
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
    mallopt(M_TRIM_THRESHOLD, keptFreeBytes);
}
