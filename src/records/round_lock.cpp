#include "records/round_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace koropika::records {

bool RoundLock::take() {
    if (held()) {
        return true;
    }
    const int descriptor = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        return false;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return false;
    }
    descriptor_ = descriptor;
    return true;
}

void RoundLock::release() {
    if (held()) {
        ::close(descriptor_);  // closing the only descriptor gives up the lock
        descriptor_ = -1;
    }
}

}  // namespace koropika::records
