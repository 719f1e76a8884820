#include "display/kernels/FastCopy.h"

#include <cstdint>
#include <cstring>

namespace tdlx {
namespace {

constexpr std::size_t kBlock = 32;

std::size_t misalignment(const std::byte* p, std::size_t alignment) {
    return reinterpret_cast<std::uintptr_t>(p) & (alignment - 1);
}

// One 4-byte word; this processor loads words at any source alignment, so the
// shifting loops that combine aligned source words are not needed.
void copyWord(std::byte* dst, const std::byte* src) {
    std::uint32_t word;
    std::memcpy(&word, src, sizeof word);
    std::memcpy(dst, &word, sizeof word);
}

}  // namespace

void* fastCopy(void* dst, const void* src, std::size_t count) {
    auto* out = static_cast<std::byte*>(dst);
    const auto* in = static_cast<const std::byte*>(src);
    if (count <= 4) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = in[i];
        }
        return dst;
    }
    if (misalignment(out, 2) != 0) {
        *out++ = *in++;
        --count;
    }
    if (misalignment(out, 4) != 0) {
        out[0] = in[0];
        out[1] = in[1];
        out += 2;
        in += 2;
        count -= 2;
    }
    while (count >= 4 && misalignment(out, kBlock) != 0) {
        copyWord(out, in);
        out += 4;
        in += 4;
        count -= 4;
    }
    while (count >= kBlock) {
        __builtin_prefetch(in + kBlock);
        __builtin_prefetch(in + 2 * kBlock);
        std::memcpy(out, in, kBlock);
        out += kBlock;
        in += kBlock;
        count -= kBlock;
    }
    while (count >= 4) {
        copyWord(out, in);
        out += 4;
        in += 4;
        count -= 4;
    }
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = in[i];
    }
    return dst;
}

}  // namespace tdlx
