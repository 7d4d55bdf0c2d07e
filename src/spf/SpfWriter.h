#pragma once
#include <cstdint>

class CByteStream;

// Lays out the layer index and the layer blocks of a machine file after its
// header: reserves the index, opens and closes one block per layer, and ends
// the file with its end words. Index entries are written only for blocks
// that were completed, and a file that ends early states the number of
// layers it really holds, so header, index and blocks always agree.
class CSpfWriter {
public:
    // countOffset: file position of the u16 layer count in the header just written.
    CSpfWriter(CByteStream& file, bool tagged, std::int64_t countOffset);

    // Reserves the index for n layers, starting at the current position
    // (the end of the header).
    bool BeginIndex(std::uint32_t layers);
    // Opens the next layer block (tagged: start word and thickness in inches).
    bool BeginLayer(float thicknessMm);
    // Closes the block and enters its offset in the index.
    bool EndLayer();
    // Writes the file end word after the last block and the index end word;
    // when fewer layers than reserved were written, patches the header count.
    bool Finish();

    std::uint32_t LayersReserved() const { return m_reserved; }
    std::uint32_t LayersWritten() const { return m_written; }
    std::int64_t BlockStart() const { return m_blockStart; }
    bool Failed() const { return m_failed; }

private:
    bool Check(bool ok)
    {
        if (!ok)
            m_failed = true;
        return ok;
    }

    CByteStream& m_file;
    bool m_tagged;
    std::int64_t m_countOffset;
    std::int64_t m_indexPos = 0;     // where the next index entry goes
    std::int64_t m_blockStart = 0;   // where the next (or current) block starts
    std::uint32_t m_reserved = 0;
    std::uint32_t m_written = 0;
    bool m_inLayer = false;
    bool m_failed = false;
};
