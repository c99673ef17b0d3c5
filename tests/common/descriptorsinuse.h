#pragma once

// Every file descriptor of the test's process in use, for as long as the object lives: the
// open-file limit is lowered to at most 256 (so that filling it is quick) and /dev/null opened
// until the system refuses with EMFILE. The descriptors are closed and the limit restored when
// it goes.

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace testsupport {

class DescriptorsInUse
{
public:
    DescriptorsInUse()
    {
        if (::getrlimit(RLIMIT_NOFILE, &m_limit) != 0)
            return;
        rlimit low = m_limit;
        low.rlim_cur = std::min<rlim_t>(m_limit.rlim_cur, 256);
        if (::setrlimit(RLIMIT_NOFILE, &low) != 0)
            return;
        m_lowered = true;
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
            m_filling.push_back(fd);
        m_full = errno == EMFILE;
    }

    ~DescriptorsInUse()
    {
        for (const int fd : m_filling)
            ::close(fd);
        if (m_lowered)
            ::setrlimit(RLIMIT_NOFILE, &m_limit);
    }

    DescriptorsInUse(const DescriptorsInUse &) = delete;
    DescriptorsInUse &operator=(const DescriptorsInUse &) = delete;

    // True when the last descriptor is taken: the next open fails with EMFILE.
    bool full() const { return m_full; }

private:
    rlimit m_limit{};
    bool m_lowered = false;
    bool m_full = false;
    std::vector<int> m_filling;
};

} // namespace testsupport
