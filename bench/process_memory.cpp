#include "process_memory.h"

#include <fstream>
#include <unistd.h>

namespace velmo::bench {

int64_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0;
    int64_t resident = 0;
    if (!(statm >> size >> resident))
        return 0;
    return resident * static_cast<int64_t>(::sysconf(_SC_PAGESIZE));
}

} // namespace velmo::bench
