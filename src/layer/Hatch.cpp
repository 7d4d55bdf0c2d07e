#include "layer/Hatch.h"

#include "io/ByteStream.h"

int CHatch::WriteHatchVectors(CByteStream& stream, float scale, int mode) const
{
    int written = 0;
    for (const C2DLine& v : m_vectors) {
        if (mode == 1) {
            // The count goes in as a placeholder and is patched once the block is complete.
            stream.WriteU16(301);
            const std::int64_t countPos = stream.Tell();
            stream.WriteI32(0);
            v.WriteWords(stream, scale, mode);
            const std::int64_t end = stream.Tell();
            stream.Seek(countPos);
            stream.WriteI32(2);
            stream.Seek(end);
        } else {
            v.WriteWords(stream, scale, mode);
        }
        ++written;
    }
    return written;
}
