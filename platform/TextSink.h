#pragma once
// Text composed piece by piece and passed on in chunks through one buffer of a fixed size, so a
// long text (a list file of megabytes) is never held whole, nor a fresh buffer of its size touched.
#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

class TextSink {
public:
    // Takes each chunk in turn, and the rest at Finish; false when it failed, after which the sink
    // passes nothing more on and Finish reports the failure.
    using Drain = std::function<bool(const char* bytes, std::size_t size)>;
    // Measured with the list file under Wine, where each write of a chunk costs about 10 us: 64 KB
    // chunks make the save about a tenth slower, larger than 256 KB gain nothing.
    static constexpr std::size_t kChunkBytes = 256 * 1024;

    explicit TextSink(Drain drain, std::size_t chunkBytes = kChunkBytes);
    TextSink(const TextSink&) = delete;
    TextSink& operator=(const TextSink&) = delete;

    // Room for `size` more bytes, which the caller fills at once. A piece is never split: when it
    // does not fit, the buffered bytes are passed on first (and the buffer grows to hold a piece
    // larger than it).
    char* Extend(std::size_t size) {
        if (size > capacity_ - used_) return ExtendPastChunk(size);
        char* room = buffer_.get() + used_;
        used_ += size;
        return room;
    }
    void Append(std::string_view text) {
        if (!text.empty()) std::memcpy(Extend(text.size()), text.data(), text.size());
    }
    // Passes the buffered bytes on; false when any drain failed.
    bool Finish();

private:
    char* ExtendPastChunk(std::size_t size);
    void Pass();

    Drain drain_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
    bool failed_ = false;
};
