#pragma once
#include "cli/CliDataDoc.h"

#include <string>

// An open CLI file as the document holds it.
class CCli {
public:
    CCli() = default;
    ~CCli() { Clear(); }
    CCli(const CCli&) = delete;
    CCli& operator=(const CCli&) = delete;

    // Measures the file at path (also stored as the file's path); sets m_bLoaded on success.
    bool Load(const std::string& path);
    // Closes the layer file, drops the loaded layers and resets the header.
    void Clear();
    void Close();
    bool SaveAtOrigin(const std::string& path) { return m_data.SaveAtOrigin(path); }

    CCliDataDoc m_data;
    bool m_bOpen = false;
};
