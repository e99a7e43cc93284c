#include "platform/TextSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
// A sink that keeps each chunk it is given.
struct Chunks {
    std::vector<std::string> chunks;
    TextSink::Drain Drain() {
        return [this](const char* bytes, std::size_t size) {
            chunks.emplace_back(bytes, size);
            return true;
        };
    }
    std::string Joined() const {
        std::string all;
        for (const std::string& chunk : chunks)
            all += chunk;
        return all;
    }
};
} // namespace

TEST(TextSink, PassesEveryByteInOrderInChunksThatNeverSplitAPiece) {
    for (std::size_t chunk : {1u, 2u, 3u, 7u, 16u, 1000u}) {
        SCOPED_TRACE(chunk);
        Chunks out;
        TextSink sink(out.Drain(), chunk);
        std::string expected;
        std::vector<std::string> pieces;
        for (int i = 0; i < 40; ++i)
            pieces.push_back(std::string(std::size_t(i % 11), char('a' + i % 26)));
        for (const std::string& piece : pieces) {
            if (piece.size() % 2) {
                sink.Append(piece);
            } else {
                char* room = sink.Extend(piece.size());
                piece.copy(room, piece.size());
            }
            expected += piece;
        }
        EXPECT_TRUE(sink.Finish());
        EXPECT_EQ(out.Joined(), expected);
        // Each chunk is whole pieces, at most the chunk size or the largest piece before it.
        std::size_t at = 0, piece = 0, largest = chunk;
        for (const std::string& passed : out.chunks) {
            EXPECT_FALSE(passed.empty());
            std::size_t taken = 0;
            while (taken < passed.size() && piece < pieces.size()) {
                largest = std::max(largest, pieces[piece].size());
                taken += pieces[piece++].size();
            }
            EXPECT_EQ(taken, passed.size()) << "a piece was split at " << at;
            EXPECT_LE(passed.size(), largest);
            at += passed.size();
        }
    }
}

TEST(TextSink, HoldsBytesUntilAChunkIsFullAndPassesTheRestAtFinish) {
    Chunks out;
    TextSink sink(out.Drain(), 8);
    sink.Append("abcd");
    sink.Append("efgh");
    EXPECT_TRUE(out.chunks.empty()) << "a full chunk waits for the next piece";
    sink.Append("i");
    ASSERT_EQ(out.chunks.size(), 1u);
    EXPECT_EQ(out.chunks[0], "abcdefgh");
    sink.Append("0123456789"); // larger than a chunk: passed on alone
    sink.Append("j");
    EXPECT_TRUE(sink.Finish());
    EXPECT_EQ(out.chunks, (std::vector<std::string>{"abcdefgh", "i", "0123456789", "j"}));
    EXPECT_TRUE(sink.Finish()) << "nothing more to pass";
    EXPECT_EQ(out.chunks.size(), 4u);
}

TEST(TextSink, AnEmptyTextPassesNothing) {
    Chunks out;
    TextSink sink(out.Drain());
    sink.Append("");
    sink.Extend(0);
    EXPECT_TRUE(sink.Finish());
    EXPECT_TRUE(out.chunks.empty());
}

TEST(TextSink, AFailedDrainEndsThePassingAndFinishReportsIt) {
    int calls = 0;
    TextSink sink(
        [&](const char*, std::size_t) {
            ++calls;
            return false;
        },
        4);
    sink.Append("abcd");
    sink.Append("efgh");
    sink.Append("ijkl");
    EXPECT_FALSE(sink.Finish());
    EXPECT_EQ(calls, 1) << "nothing is passed after the failure";
}
