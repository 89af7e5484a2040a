// Limits the size of the files this process writes, for a scope: writes past the limit fail even
// for root, which ignores permission bits. The signal such a write raises is ignored meanwhile.
#pragma once

#include <csignal>
#include <sys/resource.h>

class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        FActive = getrlimit(RLIMIT_FSIZE, &FSaved) == 0;
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = FSaved;
        small.rlim_cur = bytes;
        FActive = FActive && setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~TFileSizeLimit()
    {
        if (FActive)
            setrlimit(RLIMIT_FSIZE, &FSaved);
        std::signal(SIGXFSZ, FOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

    // False when the limit could not be set (the test cannot run).
    bool Active() const { return FActive; }

private:
    rlimit FSaved{};
    void (*FOldHandler)(int) = SIG_DFL;
    bool FActive = false;
};
