#include "io/FileStream.h"
#include "io/MemoryStream.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

// The same checks run on the file and the memory stream.
template <class Make> void CheckStream(Make make)
{
    auto s = make();
    ASSERT_TRUE(s->WriteU16(301));
    const std::int64_t countPos = s->Tell();
    ASSERT_TRUE(s->WriteI32(0));
    ASSERT_TRUE(s->WriteF32(2.5f));
    // Patch a count written earlier, then carry on at the end.
    ASSERT_TRUE(s->Seek(countPos));
    ASSERT_TRUE(s->WriteI32(2));
    ASSERT_TRUE(s->SeekToEnd());
    ASSERT_TRUE(s->WriteU16(0xFFFF));
    EXPECT_EQ(s->Size(), 12);

    ASSERT_TRUE(s->Seek(0));
    std::uint16_t code = 0;
    std::int32_t count = 0;
    float f = 0;
    EXPECT_TRUE(s->ReadU16(code));
    EXPECT_TRUE(s->ReadI32(count));
    EXPECT_TRUE(s->ReadF32(f));
    EXPECT_EQ(code, 301);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(f, 2.5f);
    // Two bytes left: a 4-byte read fails and consumes nothing useful.
    std::int32_t big = 7;
    EXPECT_FALSE(s->ReadI32(big));
    EXPECT_EQ(big, 7);
    EXPECT_FALSE(s->Seek(13));
    ASSERT_TRUE(s->Seek(10));
    EXPECT_FALSE(s->Skip(3));
    EXPECT_TRUE(s->AtEnd());
}

TEST(ByteStream, MemoryStreamWritesPatchesAndReadsBack)
{
    CheckStream([] { return std::make_unique<CMemoryStream>(); });
}

TEST(ByteStream, FileStreamWritesPatchesAndReadsBack)
{
    CTempDir dir;
    const std::string path = dir.File("s.bin");
    std::vector<std::unique_ptr<CFileStream>> keep;
    CheckStream([&] {
        auto f = std::make_unique<CFileStream>();
        EXPECT_TRUE(f->Open(path, CFileStream::Mode::Write));
        return f;
    });
}

TEST(ByteStream, FileStreamReadsAcrossBufferBoundaries)
{
    CTempDir dir;
    const std::string path = dir.File("big.bin");
    {
        CFileStream out;
        ASSERT_TRUE(out.Open(path, CFileStream::Mode::Write));
        for (std::uint32_t i = 0; i < 100000; ++i)
            ASSERT_TRUE(out.WriteU32(i));
        ASSERT_TRUE(out.Close());
    }
    CFileStream in;
    ASSERT_TRUE(in.Open(path, CFileStream::Mode::Read));
    EXPECT_EQ(in.Size(), 400000);
    ASSERT_TRUE(in.Seek(1));   // misaligned, so values straddle the buffer edges
    std::uint16_t half = 0;
    ASSERT_TRUE(in.ReadU16(half));
    ASSERT_TRUE(in.Seek(0));
    for (std::uint32_t i = 0; i < 100000; ++i) {
        std::uint32_t v = 0;
        ASSERT_TRUE(in.ReadU32(v));
        ASSERT_EQ(v, i);
    }
    EXPECT_TRUE(in.AtEnd());
    EXPECT_FALSE(CFileStream().Open(dir.File("missing"), CFileStream::Mode::Read));
}

TEST(ByteStream, FileStreamPatchesCountsAcrossManyBlocks)
{
    // Each block: code, placeholder count patched after its payload, as the
    // record writers do; the blocks run well past one buffer.
    CTempDir dir;
    const std::string path = dir.File("blocks.bin");
    CFileStream out;
    ASSERT_TRUE(out.Open(path, CFileStream::Mode::Write));
    for (int i = 0; i < 20000; ++i) {
        ASSERT_TRUE(out.WriteU16(301));
        const std::int64_t at = out.Tell();
        ASSERT_TRUE(out.WriteI32(0));
        ASSERT_TRUE(out.WriteU32(static_cast<std::uint32_t>(i)));
        const std::int64_t end = out.Tell();
        ASSERT_TRUE(out.Seek(at));
        ASSERT_TRUE(out.WriteI32(i % 7));
        ASSERT_TRUE(out.Seek(end));
    }
    ASSERT_TRUE(out.Close());
    CFileStream in;
    ASSERT_TRUE(in.Open(path, CFileStream::Mode::Read));
    ASSERT_EQ(in.Size(), 20000 * 10);
    for (int i = 0; i < 20000; ++i) {
        std::uint16_t code = 0;
        std::int32_t count = -1;
        std::uint32_t payload = 0;
        ASSERT_TRUE(in.ReadU16(code) && in.ReadI32(count) && in.ReadU32(payload));
        ASSERT_EQ(code, 301);
        ASSERT_EQ(count, i % 7);
        ASSERT_EQ(payload, static_cast<std::uint32_t>(i));
    }
}
