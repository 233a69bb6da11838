#pragma once

#include <csignal>
#include <sys/resource.h>

namespace TarnTest {

// Limits the size of files this process may write while alive, so a write on
// a real file system fails even for a user whom no permission stops.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes)
    {
        // Writing past the limit must fail with an error, not end the process.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        mPrevious = limit.rlim_cur;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }

    ~FileSizeLimit()
    {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = mPrevious;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }

    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlim_t mPrevious;
};

} // namespace TarnTest
