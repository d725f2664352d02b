#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace koropika {

// The 64-bit Mersenne Twister: for every seed, exactly the words of std::mt19937_64, in the same
// order (a test holds it to that over millions of words).
//
// Why not std::mt19937_64 itself: libstdc++ turns the state in scalar loops and tempers each
// word when it is drawn, about 40 instructions a draw. A round makes about 350 draws, so the
// generator alone was a quarter of a round's cost. Here one pass turns the whole state and
// tempers all 312 words into a buffer, in loops the compiler runs two words at a time; a draw
// is then a read from that buffer.
class MersenneTwister64 {
  public:
    using result_type = std::uint64_t;
    static constexpr std::uint64_t default_seed = 5489U;

    explicit MersenneTwister64(std::uint64_t value = default_seed) { seed(value); }
    void seed(std::uint64_t value);
    std::uint64_t operator()() {
        if (next_ == kWords) [[unlikely]] {
            refill();
        }
        return words_[next_++];
    }
    // Draws words until `accept` takes one: the words it turns down are drawn too, exactly as
    // with one call per word, but the loop keeps its place in the block in a register.
    template <typename Accept>
    void drawUntil(Accept&& accept) {
        drawWhile([&accept](std::uint64_t word) { return !accept(word); });
    }
    // Hands words to `more` until it returns false; that word is drawn too.
    template <typename More>
    void drawWhile(More&& more) {
        for (;;) {
            for (std::size_t i = next_; i < kWords; ++i) {
                if (!more(words_[i])) {
                    next_ = i + 1;
                    return;
                }
            }
            refill();
        }
    }
    static constexpr std::uint64_t min() { return 0; }
    static constexpr std::uint64_t max() { return ~std::uint64_t{0}; }

  private:
    static constexpr std::size_t kWords = 312;
    static constexpr std::size_t kShift = 156;
    void refill();

    // One word more than the state: a copy of the first word, so that every word's successor
    // lies next to it while the state turns.
    std::array<std::uint64_t, kWords + 1> state_{};
    std::array<std::uint64_t, kWords> words_{};  // the tempered words of the current state
    std::size_t next_ = kWords;
};

}  // namespace koropika
