// arc4random for the portable build, which must start on glibc 2.34: the C++
// runtime linked into its programs asks for it (std::random_device's source of
// that name), and glibc has it only from 2.36. This one takes the words from
// getrandom, which glibc has had since 2.25; like glibc's own, it never fails
// quietly: it ends the program when the kernel gives no random bytes.

#include <sys/random.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

extern "C" uint32_t arc4random() noexcept {
    uint32_t word = 0;
    for (;;) {
        const ssize_t got = getrandom(&word, sizeof word, 0);
        if (got == ssize_t(sizeof word)) return word;
        if (got < 0 && errno != EINTR) std::abort();
    }
}
