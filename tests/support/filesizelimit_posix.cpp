#include "filesizelimit.h"

#include <csignal>

#include <sys/resource.h>

namespace namlex::test {

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    previous_ = limit.rlim_cur;
    // Otherwise the system ends the process at the first refused write.
    std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(previous_);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_DFL);
}

} // namespace namlex::test
