#pragma once
#include "io/FileStream.h"

#include <string>

// An output file written beside its target under a temporary name and moved
// over the target only by Commit, so a failed or refused write never
// destroys an existing file of that name. Without Commit the temporary file
// is removed.
class CSafeOutput {
public:
    explicit CSafeOutput(std::string target);
    ~CSafeOutput();
    CSafeOutput(const CSafeOutput&) = delete;
    CSafeOutput& operator=(const CSafeOutput&) = delete;

    // Creates the temporary file (readable and writable).
    bool Open();
    CFileStream& File() { return m_file; }
    // Closes the file and renames it over the target; false when the data
    // could not be written or the rename failed (the target is then untouched).
    bool Commit();
    // Closes and removes the temporary file.
    void Discard();

    const std::string& TempPath() const { return m_temp; }

private:
    std::string m_target;
    std::string m_temp;
    CFileStream m_file;
    bool m_open = false;
};
