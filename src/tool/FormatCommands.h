#pragma once
#include <string>

// The format-specific halves of the tool's commands. The command files parse
// the arguments, detect the file's format and call one of these; each
// returns the tool's exit code (0 success, 1 a failure already reported).

enum class FileFormat { Unknown, Cli, Ssl, Spf };

// By content: a CLI file begins with "$$HEADERSTART", an SSL file's first
// token is "Slice", an SPF file has an SPF header. Unreadable is set when the
// file cannot be opened.
FileFormat DetectFormat(const std::string& path, bool& unreadable);
// True when the file starts with a machine scan-path header.
bool LooksLikeSpf(const std::string& path);

struct CInfoOptions {
    std::string path;
    bool layers = false;   // read and list every layer
    bool json = false;
};

int InfoCli(const CInfoOptions& options);
int InfoSsl(const CInfoOptions& options);
int InfoSpf(const CInfoOptions& options);

// Structural check; 0 when the format is right, 1 when it is not.
int VerifyCli(const std::string& path);
int VerifySsl(const std::string& path);
int VerifySpf(const std::string& path);

// First-quadrant check; a part that is not in it is saved moved to the origin as out.
int MoveCli(const std::string& path, const std::string& out);
int MoveSsl(const std::string& path, const std::string& out);

// Rewrites the file with layer n (1-based) replaced by its neighbour.
int ReplaceLayerCli(const std::string& path, int layer);

// Reports that a command does not handle a format yet; returns 1.
int NotSupportedYet(const char* command, FileFormat format);
