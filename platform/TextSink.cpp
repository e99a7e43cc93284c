#include "platform/TextSink.h"

#include <utility>

TextSink::TextSink(Drain drain, std::size_t chunkBytes)
    : drain_(std::move(drain)), buffer_(new char[chunkBytes ? chunkBytes : 1]), capacity_(chunkBytes ? chunkBytes : 1) {
}

void TextSink::Pass() {
    if (used_ > 0 && !failed_) failed_ = !drain_(buffer_.get(), used_);
    used_ = 0;
}

char* TextSink::ExtendPastChunk(std::size_t size) {
    Pass();
    if (size > capacity_) {
        buffer_.reset(new char[size]);
        capacity_ = size;
    }
    used_ = size;
    return buffer_.get();
}

bool TextSink::Finish() {
    Pass();
    return !failed_;
}
